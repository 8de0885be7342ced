#pragma once

#include "AppState.h"

#include <QWidget>

#include <array>

class QAbstractButton;
class QBoxLayout;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QStyle;
class QTreeView;

namespace tarvok {

class ProviderListController;
class ProviderTableModel;

// Picture1(5), the options page: the settings in editable controls, the list names, the
// entry size with its sample, and the provider table. Edits stay in the controls until
// SaveOptionControls writes them to Settings and the phone book file.
class OptionsPage : public QWidget {
    Q_OBJECT
public:
    OptionsPage(AppState& state, ProviderTableModel& providers, QWidget* parent = nullptr);
    ~OptionsPage() override;

    void LoadOptionControls(); // Settings -> controls
    // Controls -> Settings, then SavePhoneFile. When the file cannot be written, shows a
    // critical box and returns false; Settings and the controls keep the edits all the same.
    bool SaveOptionControls();
    // Whether every text box holds text the phone book file can hold, after asking to
    // replace letters it lacks; on false the page should stay in front.
    bool acceptTexts();
    void focusCountryCode(); // Text1(2) gets the focus
    QAbstractButton* downloadButton() const;
    void setUpdateUndoable(bool undoable); // "Aktualisierung rückgängig" offered or not

signals:
    void settingsSaved();     // tab captions (ListNames) and list font size (EntrySize) changed
    void debugRequested();    // Btn(0)
    void downloadRequested(); // Btn(1)
    void devicesRequested();  // "Geräte..."
    void modemTestRequested(int port); // "Modem testen" on ComList's port
    void undoUpdateRequested();        // "Aktualisierung rückgängig"

private:
    void buildCodesFrame(QBoxLayout* column);
    void buildPrefixFrame(QBoxLayout* column);
    void buildHandOverFrame(QBoxLayout* column);
    void buildModemFrame(QBoxLayout* column);
    void buildSizeFrame(QBoxLayout* column);
    void buildNamesFrame(QBoxLayout* column);
    void buildProviderFrame(QBoxLayout* column);
    void fitSampleFrame();
    void openProviderCheck(); // "Prüfen": the checker window over the table as it stands

    QString listFontFamily() const;
    QString updateCaption() const;
    void showPortDevices();
    void UpdateFntSmpl();
    void WahlArtList_Click();
    void UebergabeChk_Click();

    AppState& m_state;
    ProviderTableModel& m_providers;
    QStyle* m_compactStyle = nullptr; // for the drop-down lists and TelcoList

    std::array<QLineEdit*, 4> m_text1{}; // Text1(0..3)
    std::array<QLineEdit*, 4> m_text2{}; // Text2(1..4)
    QLineEdit* m_text3 = nullptr;
    QLineEdit* m_handOverNumber = nullptr; // UebergabeNrText
    QCheckBox* m_handOverCheck = nullptr;  // UebergabeChk
    QGroupBox* m_handOverFrame = nullptr;  // WeiterleitenFrame
    QComboBox* m_comList = nullptr;
    QComboBox* m_dialMethodList = nullptr;   // WahlArtList
    QPushButton* m_debugButton = nullptr;    // Btn(0)
    QPushButton* m_downloadButton = nullptr; // Btn(1)
    QPushButton* m_undoUpdateButton = nullptr;
    QSlider* m_sizeSlider = nullptr; // Slider1
    QFrame* m_sampleFrame = nullptr; // FntFrm
    QLabel* m_sample = nullptr;      // FntSmpl
    QLabel* m_updateLabel = nullptr; // Label1(10)
    QTreeView* m_telcoList = nullptr;
    ProviderListController* m_providerList = nullptr;
};

} // namespace tarvok
