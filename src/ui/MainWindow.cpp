#include "MainWindow.h"

#include "AboutBox.h"
#include "CarrierStatus.h"
#include "ContactsController.h"
#include "DialController.h"
#include "KeyRepeat.h"
#include "ListKeys.h"
#include "ModemSetup.h"
#include "OptionsPage.h"
#include "PhoneBookEditing.h"
#include "PhoneListModel.h"
#include "PopupMenu.h"
#include "ProgramIcon.h"
#include "ProviderTableModel.h"
#include "ProviderUpdate.h"
#include "TrayIcon.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCursor>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace tarvok {

namespace {

// The window as drawn, in pixels at 96 dpi: the size it opens at unless the user's font
// needs more.
constexpr QSize kDrawnSize(7395 / 15, 4170 / 15);

const QString kStatusListe =
    QStringLiteral("Doppelklick für Anwahl oder rechte Maustaste für Menü");

QString controlName(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

// A menu that only ever pops up; its items carry their index as data.
QMenu* makePopup(QWidget* parent, const char* menuName, const QString& title, const char* itemName,
                 const QStringList& captions) {
    auto* menu = new QMenu(title, parent);
    menu->setObjectName(QLatin1String(menuName));
    menu->setAccessibleName(title);
    for (int i = 0; i < captions.size(); ++i) {
        QAction* action =
            captions[i] == QLatin1String("-") ? menu->addSeparator() : menu->addAction(captions[i]);
        action->setObjectName(controlName(itemName, i + 1));
        action->setData(i + 1);
    }
    // The last item, "&Abbrechen", is the default: Qt shows it in bold.
    menu->setDefaultAction(menu->actions().constLast());
    return menu;
}

int chosenIndex(const QAction* action) {
    return action ? action->data().toInt() : 0;
}

} // namespace

MainWindow::MainWindow(AppState& state, const Parts& parts, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_tray(parts.tray) {
    m_providerModel = new ProviderTableModel(state.providers, this);
    if (parts.serialPort)
        m_dial = std::make_unique<DialController>(state, *parts.serialPort, this);
    if (parts.httpClient)
        m_update =
            std::make_unique<ProviderUpdate>(state, *m_providerModel, *parts.httpClient, this);
    m_modemSetup = new ModemSetup(state, parts.serialPort, this);
    m_trayClicks = new TrayController(state, m_tray, parts.trayClickDelay, this);
    m_trayClicks->setObjectName(QStringLiteral("TrayController"));
    Form_Load();
}

MainWindow::~MainWindow() {
    // Form_Terminate: the icon leaves the notification area with the window.
    m_tray.removeIcon();
}

void MainWindow::Form_Load() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tarvok-Pro"));
    setWindowIcon(programIcon());

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("TabStrip1"));
    for (int i = 1; i <= 4; ++i)
        m_tabs->addTab(makePhoneListPage(i), QString());
    m_options = new OptionsPage(m_state, *m_providerModel);
    m_options->setObjectName(controlName("Picture1", 5));
    m_options->setAutoFillBackground(true);
    m_tabs->addTab(m_options, QStringLiteral("Optionen"));

    auto* statusBar = new QStatusBar(this);
    statusBar->setObjectName(QStringLiteral("StatusBar1"));
    statusBar->setSizeGripEnabled(false);
    statusBar->setAccessibleName(QStringLiteral("Statuszeile"));
    m_status = new QLabel(kStatusListe, statusBar);
    // Wide enough for the longest of its own texts; a long number never widens the window.
    m_status->setMinimumWidth(m_status->sizeHint().width());
    m_status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar->addWidget(m_status, 1);
    // The window grows; the tab strip and with it the lists take the room.
    auto* layout = new QVBoxLayout(this);
    // A little room under the status bar, so that its bottom edge is never taken for the
    // window's border (or a window manager's bottom handle).
    layout->setContentsMargins(4, 4, 4, 2);
    layout->setSpacing(3);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(statusBar);
    resize(kDrawnSize.expandedTo(minimumSizeHint()));
    m_carrier = new CarrierStatus(m_state, *m_providerModel, statusBar);

    makeMenus();
    KeyRepeat::watch(); // before the first key is held down on a list
    m_editing = new PhoneBookEditing(m_state, m_lists, m_models, this);
    m_contacts = new ContactsController(m_state, m_lists, m_models, *m_editing, this);
    m_contacts->addMenuItems(m_pummain);
    connect(m_contacts, &ContactsController::dialRequested, this, &MainWindow::dialEntry);

    connect(m_tabs, &QTabWidget::currentChanged, this, &MainWindow::TabStrip1_Click);
    connect(m_options, &OptionsPage::settingsSaved, this, &MainWindow::applySettings);
    connect(m_options, &OptionsPage::settingsSaved, m_carrier, &CarrierStatus::refresh);
    connect(m_carrier, &CarrierStatus::orderChanged, this, &MainWindow::SetStatusText);
    connect(m_options, &OptionsPage::debugRequested, this, [this] {
        if (m_dial)
            m_dial->ShowLastModemAnswer();
    });
    connect(m_options, &OptionsPage::downloadRequested, this, [this] {
        if (m_update)
            m_update->DownloadUpdateFile(m_options->downloadButton());
    });
    connect(m_options, &OptionsPage::devicesRequested, m_modemSetup,
            [this] { m_modemSetup->ShowDevices(m_options); });
    connect(m_options, &OptionsPage::modemTestRequested, m_modemSetup,
            [this](int port) { m_modemSetup->TestModem(port, m_options); });
    if (m_update) {
        connect(m_options, &OptionsPage::undoUpdateRequested, m_update.get(),
                &ProviderUpdate::UndoUpdate);
        connect(m_update.get(), &ProviderUpdate::undoAvailable, m_options,
                &OptionsPage::setUpdateUndoable);
        connect(m_update.get(), &ProviderUpdate::statusText, this, &MainWindow::SetStatusText);
    }
    connect(m_trayClicks, &TrayController::showWindowRequested, this, &MainWindow::showWindow);
    connect(m_trayClicks, &TrayController::menuRequested, this, &MainWindow::popUpTrayMenu);
    connect(m_trayClicks, &TrayController::beepRequested, this, &MainWindow::Beep);

    m_tray.showIcon(windowIcon(), QStringLiteral("Tarvok-Pro"));
    applySettings();
}

QWidget* MainWindow::makePhoneListPage(int index) {
    auto* page = new QWidget;
    page->setObjectName(controlName("Picture1", index));
    page->setAutoFillBackground(true);

    auto* model = new PhoneListModel(m_state.phoneBook.lists[size_t(index - 1)], this);
    auto* list = new QListView(page);
    list->setObjectName(controlName("NamList", index));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(list);
    list->setModel(model);
    // Names only: the view never lays out the hidden rest of a line, and all rows are
    // equally high, so a full list of 32767 lines scrolls and selects at once.
    list->setUniformItemSizes(true);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setTextElideMode(Qt::ElideNone);
    list->installEventFilter(this);
    list->viewport()->installEventFilter(this);
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, index] { NamList_Click(index); });
    connect(list, &QListView::doubleClicked, this, [this] { dialSelectedEntry(); });

    m_models[size_t(index - 1)] = model;
    m_lists[size_t(index - 1)] = list;
    return page;
}

void MainWindow::makeMenus() {
    m_pummain =
        makePopup(this, "pummain", QStringLiteral("Namensliste"), "pum",
                  {QStringLiteral("&Einfügen"), QStringLiteral("&Ändern"),
                   QStringLiteral("&Löschen"), QStringLiteral("-"), QStringLiteral("&Abbrechen")});
    m_pummain2 =
        makePopup(this, "pummain2", QStringLiteral("Taskleiste"), "pum2",
                  {QStringLiteral("&Einblenden"), QStringLiteral("&Info"), QStringLiteral("-"),
                   QStringLiteral("&Beenden"), QStringLiteral("-"), QStringLiteral("&Abbrechen")});
}

// The list names become the tab captions and the entry size the lists' font.
void MainWindow::applySettings() {
    const Settings& settings = m_state.phoneBook.settings;
    QFont font(QStringLiteral("Arial"));
    const int size = std::clamp(int(std::nearbyint(settings.EntrySize)), 6, 24);
    font.setPointSize(size);
    for (int i = 0; i < 4; ++i) {
        QString caption = settings.ListNames[size_t(i)];
        m_tabs->setTabText(i, caption.replace(u'&', QStringLiteral("&&")));
        m_lists[size_t(i)]->setAccessibleName(settings.ListNames[size_t(i)]);
        m_lists[size_t(i)]->setFont(font);
    }
}

void MainWindow::FinishStartUp(StartUp::Next next) {
    if (next == StartUp::Next::ShowOptions)
        ShowOptionsTab();
    else
        showWindow();
}

void MainWindow::SetStatusText(const QString& text) {
    m_status->setText(text);
}

void MainWindow::StatusListe() {
    SetStatusText(kStatusListe);
}

// Selects the options tab as a click would; selecting the tab in front runs the tab
// handling too, since Qt reports no change then.
void MainWindow::ShowOptionsTab() {
    if (m_tabs->currentIndex() == 4)
        TabStrip1_Click();
    else
        m_tabs->setCurrentIndex(4);
}

void MainWindow::showWindow() {
    show();
    raise();
    activateWindow();
}

void MainWindow::Beep() {
    QApplication::beep();
    emit beeped();
}

void MainWindow::TabStrip1_Click() {
    showWindow();
    const int t = m_tabs->currentIndex() + 1;
    if (t <= 4) {
        if (m_state.CurrentTab == 5) {
            if (!m_options->acceptTexts()) {
                m_tabs->setCurrentIndex(4); // the page stays until its texts can be stored
                return;
            }
            m_options->SaveOptionControls();
            applySettings();
            StatusListe();
        }
        m_lists[size_t(t - 1)]->setFocus();
        m_carrier->setEntryLine(selectedLine(t));
    } else if (m_state.CurrentTab != 5) {
        m_options->LoadOptionControls();
        SetStatusText(QStringLiteral("Bitte gewünschte Änderungen vornehmen"));
        m_options->focusCountryCode();
    }
    m_state.CurrentTab = t;
}

int MainWindow::selectedRow(int index) const {
    const QModelIndexList selected =
        m_lists[size_t(index - 1)]->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

QString MainWindow::selectedLine(int index) const {
    const int row = selectedRow(index);
    return row < 0 ? QString() : m_models[size_t(index - 1)]->list().lineAt(row);
}

void MainWindow::NamList_Click(int index) {
    const int row = selectedRow(index);
    if (row >= 0)
        SetStatusText(m_models[size_t(index - 1)]->list().at(row).Number);
    if (m_carrier)
        m_carrier->setEntryLine(selectedLine(index));
}

void MainWindow::NamList_MouseDown(int index, const QPoint& globalPos) {
    const bool selected = selectedRow(index) >= 0;
    m_pummain->actions().at(1)->setEnabled(selected);
    m_pummain->actions().at(2)->setEnabled(selected);
    m_editing->pum_Click(chosenIndex(ExecPopupMenu(m_pummain, globalPos)));
    StatusListe();
}

void MainWindow::NamList_LostFocus(int) {
    if (m_state.ModalBusy == 0)
        m_tabs->tabBar()->setFocus();
}

// The dial always takes the list the user sees, the one of the current tab.
void MainWindow::dialSelectedEntry() {
    if (!m_dial || m_state.CurrentTab < 1 || m_state.CurrentTab > 4)
        return;
    const QString line = selectedLine(m_state.CurrentTab);
    if (line.isEmpty())
        return;
    DialEntryLine(line);
}

void MainWindow::DialEntryLine(const QString& line) {
    if (m_dial && m_dial->DialSelectedEntry(line) == DialController::Outcome::PortUnavailable)
        ShowOptionsTab();
}

// An entry found elsewhere is dialled as if chosen in its list.
void MainWindow::dialEntry(int index, int row) {
    m_tabs->setCurrentIndex(index - 1);
    QListView* list = m_lists[size_t(index - 1)];
    list->setCurrentIndex(m_models[size_t(index - 1)]->index(row));
    list->scrollTo(list->currentIndex());
    dialSelectedEntry();
}

void MainWindow::popUpTrayMenu() {
    pum2_Click(chosenIndex(ExecPopupMenu(m_pummain2, QCursor::pos())));
}

void MainWindow::pum2_Click(int index) {
    switch (index) {
    case 1:
        if (m_state.ModalBusy == 0)
            showWindow();
        else
            Beep();
        break;
    case 2:
        ShowAboutBox(this);
        break;
    case 4:
        QuitProgram();
        break;
    default:
        break;
    }
}

void MainWindow::QuitProgram() {
    if (m_quitting)
        return;
    m_quitting = true;
    // Saved once: a second save would leave the backup equal to the file.
    if (m_state.CurrentTab == 5) {
        if (!m_options->acceptTexts()) {
            m_quitting = false; // ending now would lose the edits or store them as "?"
            showWindow();
            return;
        }
        m_options->SaveOptionControls();
    }
    m_tray.removeIcon();
    hide();
    emit programEnded();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Without a notification area the hidden window could never come back: the close box
    // then ends the program.
    if (m_quitting || !m_tray.isAvailable()) {
        QuitProgram();
        event->accept();
        return;
    }
    event->ignore();
    hide();
}

int MainWindow::listIndexOf(QObject* object) const {
    for (int i = 0; i < 4; ++i) {
        if (object == m_lists[size_t(i)] || object == m_lists[size_t(i)]->viewport())
            return i + 1;
    }
    return 0;
}

// A list that got the focus by keyboard has a current line that is not selected; the first
// arrow key selects it instead of moving past it, so a one-line list can be dialled from
// the keyboard alone.
bool MainWindow::selectCurrentLine(int index) {
    QListView* list = m_lists[size_t(index - 1)];
    if (list->selectionModel()->hasSelection() || !list->currentIndex().isValid())
        return false;
    list->setCurrentIndex(list->currentIndex());
    return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const int index = listIndexOf(watched);
    if (index == 0)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        // The right button never selects: the menu works on the line selected before.
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::RightButton)
            break;
        if (event->type() == QEvent::MouseButtonPress)
            NamList_MouseDown(index, mouse->globalPosition().toPoint());
        return true;
    }
    case QEvent::ContextMenu: {
        // The menu key opens the same menu, at the selected line.
        auto* menuEvent = static_cast<QContextMenuEvent*>(event);
        if (menuEvent->reason() == QContextMenuEvent::Keyboard) {
            QListView* list = m_lists[size_t(index - 1)];
            const QRect rect = list->visualRect(list->currentIndex());
            NamList_MouseDown(index, list->viewport()->mapToGlobal(rect.isValid() ? rect.center()
                                                                                  : QPoint(0, 0)));
        }
        return true;
    }
    case QEvent::KeyPress: {
        // Enter and Space dial; the list gets the key as well.
        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        const ListKeyAction action = ListKeyActionFor(*keyEvent);
        if (action == ListKeyAction::Dial) {
            dialSelectedEntry();
        } else if (action != ListKeyAction::None) {
            m_editing->pum_Click(ListMenuItemFor(action));
            StatusListe();
            return true;
        }
        const int key = keyEvent->key();
        if ((key == Qt::Key_Down || key == Qt::Key_Up) && selectCurrentLine(index))
            return true;
        break;
    }
    case QEvent::FocusOut: {
        // A pop-up or another window taking the focus for a while is no leaving.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (watched == m_lists[size_t(index - 1)] && reason != Qt::PopupFocusReason &&
            reason != Qt::ActiveWindowFocusReason)
            NamList_LostFocus(index);
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tarvok
