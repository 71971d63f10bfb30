// The technicians' terminal on the sounder port: what is typed is sent to the unit, what the
// unit answers is shown. The caller closes the module's links before and opens them after.
#pragma once

class QWidget;

void RunSounderTerminal(QWidget* parent);
