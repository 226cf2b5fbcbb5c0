#include "StarterShapes.h"

bool BuildStarterLibrary(TLibManager& Library)
{
    // The drawing the entries' shapes are made for; they are stored, not added to it.
    TMyCAD drawing;
    return AddFlowchartShapes(drawing, Library) && AddSymbolShapes(drawing, Library);
}

QStringList StarterShapeNames()
{
    return {QStringLiteral("Process"),      QStringLiteral("Decision"),        QStringLiteral("Terminator"),
            QStringLiteral("Data"),         QStringLiteral("Document"),        QStringLiteral("Manual input"),
            QStringLiteral("Preparation"),  QStringLiteral("Connector"),       QStringLiteral("Off-page reference"),
            QStringLiteral("Database"),     QStringLiteral("Cloud"),           QStringLiteral("Actor"),
            QStringLiteral("Note"),         QStringLiteral("Arrow right"),     QStringLiteral("Arrow left"),
            QStringLiteral("Arrow up"),     QStringLiteral("Arrow down"),      QStringLiteral("Server"),
            QStringLiteral("Workstation"),  QStringLiteral("Router"),          QStringLiteral("Switch"),
            QStringLiteral("Firewall"),     QStringLiteral("Resistor"),        QStringLiteral("Capacitor"),
            QStringLiteral("Inductor"),     QStringLiteral("Diode"),           QStringLiteral("Battery"),
            QStringLiteral("Lamp"),         QStringLiteral("Ground")};
}
