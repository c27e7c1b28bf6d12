// A plain Qt counterpart of the program's start: a main window with a menu bar,
// a status bar and an MDI area holding two document windows with a list each.
// It ends at the first paint of its main window.

#include "FirstPaintProbe.h"

#include <QApplication>
#include <QListView>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStringListModel>

namespace {

// About as many menus and items as the program's main menu.
constexpr int kMenus = 7;
constexpr int kItemsPerMenu = 6;

QMdiSubWindow* AddDocument(QMdiArea& area, const QString& title)
{
    auto* list = new QListView;
    list->setModel(new QStringListModel(list));
    auto* window = area.addSubWindow(list);
    window->setWindowTitle(title);
    window->show();
    return window;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow mainWindow;
    const mecovnik::bench::TFirstPaintProbe probe(
        [&mainWindow](const QWidget* window) { return window == &mainWindow; });

    mainWindow.setWindowTitle(QStringLiteral("Bare"));
    for (int m = 0; m < kMenus; ++m) {
        QMenu* menu = mainWindow.menuBar()->addMenu(QStringLiteral("Menu &%1").arg(m + 1));
        for (int i = 0; i < kItemsPerMenu; ++i)
            menu->addAction(QStringLiteral("Item %1").arg(i + 1))
                ->setStatusTip(QStringLiteral("Hint %1.%2").arg(m + 1).arg(i + 1));
    }
    mainWindow.statusBar();

    auto* area = new QMdiArea;
    mainWindow.setCentralWidget(area);
    AddDocument(*area, QStringLiteral("First"));
    area->setActiveSubWindow(AddDocument(*area, QStringLiteral("Second")));

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        mainWindow.resize(screen->availableSize() * 3 / 4);
    mainWindow.show();
    return QApplication::exec();
}
