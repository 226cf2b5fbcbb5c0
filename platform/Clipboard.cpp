#include "Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

TClipboardServices* g_clipboard = nullptr; // the installed replacement, if any

TClipboardServices& DefaultClipboard()
{
    static TQtClipboardServices services;
    return services;
}

QClipboard* ApplicationClipboard()
{
    // Without a Gui application there is no clipboard to talk to.
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

} // namespace

TClipboardServices::~TClipboardServices() = default;

bool TQtClipboardServices::SetContent(const TClipboardContent& Content)
{
    QClipboard* clipboard = ApplicationClipboard();
    if (!clipboard)
        return false;
    if (Content.Empty()) {
        clipboard->clear();
        return true;
    }
    auto* data = new QMimeData; // the clipboard takes it over
    if (!Content.Bitmap.isNull())
        data->setImageData(Content.Bitmap);
    if (!Content.Emf.isEmpty()) {
        data->setData(QLatin1String(kEmfMimeType), Content.Emf);
        data->setData(QLatin1String(kEmfMimeTypeRegistered), Content.Emf);
    }
    clipboard->setMimeData(data);
    // A clipboard that could not take ownership (no display, another owner) does not
    // hand our data back.
    return clipboard->mimeData() == data || clipboard->ownsClipboard();
}

QImage TQtClipboardServices::Picture() const
{
    QClipboard* clipboard = ApplicationClipboard();
    return clipboard ? clipboard->image() : QImage();
}

TClipboardServices& ClipboardServices()
{
    return g_clipboard ? *g_clipboard : DefaultClipboard();
}

void SetClipboardServices(TClipboardServices* Services)
{
    g_clipboard = Services;
}

TScopedClipboardServices::TScopedClipboardServices(TClipboardServices& Services) : FPrevious(g_clipboard)
{
    g_clipboard = &Services;
}

TScopedClipboardServices::~TScopedClipboardServices()
{
    g_clipboard = FPrevious;
}
