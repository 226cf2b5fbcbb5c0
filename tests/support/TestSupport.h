#pragma once
// Helpers shared by the test executables.
#include <QString>

// Registers DejaVu Sans and makes it the application font.
void LoadTestFont();
// The family name every test uses for text.
QString TestFontFamily();
