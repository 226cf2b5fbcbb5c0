// Writes the starter shape library: make_starter_library <file>
#include "StarterShapes.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <library file>\n", argv[0]);
        return 2;
    }
    // Drawings are widgets: an application without a screen is enough to make them.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TLibManager library;
    if (!BuildStarterLibrary(library)) {
        std::fprintf(stderr, "%s: an entry of the starter library could not be made\n", argv[0]);
        return 1;
    }
    if (!library.SavetoFile(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    std::printf("%d shapes in %s\n", library.GetcmbShapesCount(), argv[1]);
    return 0;
}
