// A module with one export, for loading by name.
extern "C" int TestModuleAnswer() { return 42; }
