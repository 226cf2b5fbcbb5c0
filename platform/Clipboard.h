#pragma once
// The system clipboard behind one replaceable service. The drawing places pictures of
// copied shapes there for other programs (a bitmap, an enhanced metafile) and can take a
// picture another program placed. The default service works on Qt's clipboard; tests
// install one that records what is placed, so nothing depends on a display.
#include "mycad_export.h"

#include <QByteArray>
#include <QImage>

// The MIME types an enhanced metafile is offered under: the one desktop programs on X11
// and Wayland look for, and the registered one.
inline constexpr char kEmfMimeType[] = "image/x-emf";
inline constexpr char kEmfMimeTypeRegistered[] = "image/emf";

// What one placement puts on the clipboard; an empty content clears it.
struct MYCAD_EXPORT TClipboardContent {
    QImage Bitmap;  // offered as an image when not null
    QByteArray Emf; // the bytes of an enhanced metafile, offered when not empty
    bool Empty() const { return Bitmap.isNull() && Emf.isEmpty(); }
};

class MYCAD_EXPORT TClipboardServices {
public:
    virtual ~TClipboardServices();
    // Clears the clipboard and places Content (all its forms at once). False when the
    // clipboard cannot be had or did not take the content.
    virtual bool SetContent(const TClipboardContent& Content) = 0;
    // The picture on the clipboard, whichever program placed it; null when it holds none.
    virtual QImage Picture() const = 0;
};

// The clipboard of Qt's application (QGuiApplication::clipboard()).
class MYCAD_EXPORT TQtClipboardServices : public TClipboardServices {
public:
    bool SetContent(const TClipboardContent& Content) override;
    QImage Picture() const override;
};

// The current services (by default Qt's clipboard).
MYCAD_EXPORT TClipboardServices& ClipboardServices();
// Replaces the services (not owned; the caller keeps them alive while installed).
// nullptr restores the default.
MYCAD_EXPORT void SetClipboardServices(TClipboardServices* Services);

// Installs services for the lifetime of a scope and then puts back the ones before.
class MYCAD_EXPORT TScopedClipboardServices {
public:
    explicit TScopedClipboardServices(TClipboardServices& Services);
    ~TScopedClipboardServices();
    TScopedClipboardServices(const TScopedClipboardServices&) = delete;
    TScopedClipboardServices& operator=(const TScopedClipboardServices&) = delete;

private:
    TClipboardServices* FPrevious;
};
