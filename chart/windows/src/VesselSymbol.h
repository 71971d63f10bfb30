// The vessel at its position, pointing along its heading, with a heading line ahead of it.
#pragma once

class QPainter;

void DrawVesselSymbol(QPainter& painter);
