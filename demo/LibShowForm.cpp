#include "LibShowForm.h"

#include "component/library/LibFileChecks.h"
#include "component/library/LibManager.h"
#include "platform/Bitmap.h"
#include "platform/UIServices.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QColor IconViewColor(0x80, 0x80, 0x80); // clGray

// An icon view whose drags carry the entry's name and its library's file. Icons are only
// ever copied out: a drop that answers "move" must not take the icon from the view.
class TLibListView : public QListWidget {
public:
    TLibListView(const QString& LibraryPath, QWidget* parent) : QListWidget(parent), FLibraryPath(LibraryPath) {}

    QStringList mimeTypes() const override
    {
        return {QString::fromLatin1(TLibShowFrm::LibraryShapeMimeType),
                QString::fromLatin1(TLibShowFrm::LibraryFileMimeType)};
    }

protected:
    QMimeData* mimeData(const QList<QListWidgetItem*>& Items) const override
    {
        if (Items.isEmpty())
            return nullptr;
        auto* data = new QMimeData;
        data->setData(QString::fromLatin1(TLibShowFrm::LibraryShapeMimeType), Items.front()->text().toUtf8());
        data->setData(QString::fromLatin1(TLibShowFrm::LibraryFileMimeType), FLibraryPath.toUtf8());
        data->setText(Items.front()->text());
        return data;
    }
    void startDrag(Qt::DropActions) override { QListWidget::startDrag(Qt::CopyAction); }

private:
    QString FLibraryPath;
};

// The preview of an entry: 32 x 32 on grey (grey alone when the entry does not draw).
QIcon EntryIcon(TLibManager& Lib, const QString& Name)
{
    TBitmap bitmap;
    if (Lib.GetCmbShapeImage(Name, TLibShowFrm::IconSize, bitmap, clGray))
        return QIcon(QPixmap::fromImage(bitmap.ToQImage()));
    QPixmap blank(TLibShowFrm::IconSize, TLibShowFrm::IconSize);
    blank.fill(IconViewColor);
    return QIcon(blank);
}

} // namespace

TLibShowFrm::TLibShowFrm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("LibShowFrm"));
    setWindowTitle(QStringLiteral("Library"));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(false);

    FPageControl = new QTabWidget(this);
    FPageControl->setTabPosition(QTabWidget::West);
    FPageControl->setDocumentMode(true);
    FPopup = new QMenu(this);
    FCloseAction = FPopup->addAction(QStringLiteral("Close"));
    connect(FCloseAction, &QAction::triggered, this, [this] { CloseActiveLibrary(); });
    FPageControl->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FPageControl, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        FCloseAction->setEnabled(FPageControl->count() > 0);
        FPopup->popup(FPageControl->mapToGlobal(at));
    });

    auto* closeButton = new QPushButton(QStringLiteral("Close"), this);
    closeButton->setAutoDefault(false);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::hide);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(FPageControl, 1);
    layout->addWidget(closeButton);
    resize(173, 453);
}

// The managers go first; their views go with the tabs when the window's children do.
TLibShowFrm::~TLibShowFrm() = default;

QString TLibShowFrm::CanonicalPath(const QString& FileName)
{
    return QFileInfo(FileName).canonicalFilePath();
}

QString TLibShowFrm::TabCaption(const QString& FileName)
{
    const QString name = QFileInfo(FileName).fileName();
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    const QString caption = dot < 0 ? name : name.left(dot);
    return caption.isEmpty() ? name : caption;
}

bool TLibShowFrm::OpenLibrary(const QString& FileName)
{
    const QString prefix = QStringLiteral("This Lib: ");
    if (!IsZEDALibFile(FileName)) {
        ShowMessage(prefix + FileName + QStringLiteral(" is not a ZEDA library file!"));
        return false;
    }
    const QString path = CanonicalPath(FileName);
    if (const TLibManager* open = FindLibrary(FileName)) {
        ShowMessage(prefix + FileName + QStringLiteral(" has been opened!"));
        for (const TOpenLibrary& entry : FLibraries)
            if (entry.Lib.get() == open && entry.View)
                FPageControl->setCurrentWidget(entry.View);
        return false;
    }
    auto lib = std::make_unique<TLibManager>();
    if (!lib->LoadFromFile(FileName)) {
        ShowMessage(prefix + FileName + QStringLiteral(" could not be read!"));
        return false;
    }
    QListWidget* view = CreateListView(*lib, path);
    FLibraries.push_back({std::move(lib), path, view});
    const int tab = FPageControl->addTab(view, TabCaption(FileName));
    FPageControl->setTabToolTip(tab, QDir::toNativeSeparators(path));
    FPageControl->setCurrentIndex(tab);
    return true;
}

QListWidget* TLibShowFrm::CreateListView(TLibManager& Lib, const QString& CanonicalPath)
{
    auto* view = new TLibListView(CanonicalPath, FPageControl);
    view->setViewMode(QListView::IconMode);
    view->setResizeMode(QListView::Adjust);
    view->setMovement(QListView::Static);
    view->setWrapping(true);
    view->setWordWrap(true);
    view->setIconSize(QSize(IconSize, IconSize));
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setDragEnabled(true);
    view->setDragDropMode(QAbstractItemView::DragOnly);
    view->setDefaultDropAction(Qt::CopyAction);
    QPalette palette = view->palette();
    palette.setColor(QPalette::Base, IconViewColor);
    palette.setColor(QPalette::Text, Qt::white);
    view->setPalette(palette);
    const int count = Lib.GetcmbShapesCount();
    for (int i = 0; i < count; ++i) {
        const QString name = Lib.GetCmbShapesNameByID(i);
        auto* item = new QListWidgetItem(EntryIcon(Lib, name), name, view);
        item->setToolTip(name);
    }
    return view;
}

void TLibShowFrm::CloseActiveLibrary()
{
    QWidget* view = FPageControl->currentWidget();
    const int index = IndexOfView(view);
    if (!view || index < 0)
        return;
    FPageControl->removeTab(FPageControl->currentIndex());
    FLibraries.erase(FLibraries.begin() + index);
    delete view;
}

int TLibShowFrm::IndexOfView(const QWidget* View) const
{
    for (size_t i = 0; i < FLibraries.size(); ++i)
        if (View && FLibraries[i].View == View)
            return int(i);
    return -1;
}

TLibManager* TLibShowFrm::CurrentLibrary() const
{
    const int index = IndexOfView(FPageControl->currentWidget());
    return index < 0 ? nullptr : FLibraries[size_t(index)].Lib.get();
}

QListWidget* TLibShowFrm::CurrentListView() const
{
    const int index = IndexOfView(FPageControl->currentWidget());
    return index < 0 ? nullptr : FLibraries[size_t(index)].View.data();
}

TLibManager* TLibShowFrm::Library(int Index) const
{
    return Index >= 0 && Index < LibraryCount() ? FLibraries[size_t(Index)].Lib.get() : nullptr;
}

TLibManager* TLibShowFrm::FindLibrary(const QString& FileName) const
{
    return OpenLibraryAt(CanonicalPath(FileName));
}

bool TLibShowFrm::IsLibraryDrag(const QMimeData* Data)
{
    return Data && Data->hasFormat(QString::fromLatin1(LibraryShapeMimeType)) && !DraggedShapeName(Data).isEmpty();
}

QString TLibShowFrm::DraggedShapeName(const QMimeData* Data)
{
    return Data ? QString::fromUtf8(Data->data(QString::fromLatin1(LibraryShapeMimeType))) : QString();
}

QString TLibShowFrm::DraggedLibraryFile(const QMimeData* Data)
{
    return Data ? QString::fromUtf8(Data->data(QString::fromLatin1(LibraryFileMimeType))) : QString();
}

TLibManager* TLibShowFrm::DraggedLibrary(const QMimeData* Data) const
{
    return OpenLibraryAt(DraggedLibraryFile(Data));
}

TLibManager* TLibShowFrm::OpenLibraryAt(const QString& CanonicalFile) const
{
    if (CanonicalFile.isEmpty())
        return nullptr;
    for (const TOpenLibrary& entry : FLibraries)
        if (entry.CanonicalPath == CanonicalFile)
            return entry.Lib.get();
    return nullptr;
}
