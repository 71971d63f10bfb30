// Import of survey files dropped into "c:\varnel\import": each file becomes an overlay of the
// active database named after it, so a file is imported once.
#pragma once

extern "C" {
// 1 when the import folder held files of the kind, 0 otherwise.
int DBImportSymbols();   // "*.t-d"
int DBImportTexts();     // "*.txt"
int DBImportPolygons();  // "*.lin": line segments
// 1 when "symtable.txt" was read completely; the table in use changes only then.
int _DBLoadSymbolTranslationTable();
}

struct SymbolTranslation {
    int index;
    int colour;   // palette index
    int symbol;   // symbol picture identifier
};
constexpr int SYMBOL_TRANSLATIONS = 13;
// The table in use.
const SymbolTranslation* SymbolTranslationTable();
