#pragma once

#include "ProviderRecord.h"

#include <QDialog>
#include <QString>

#include <array>

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tarvok {

class HourRangeSlider;

// Form3: the dialog that takes one call-by-call provider. It only shows and returns
// values; the caller decides what to do with them.
class ProviderEditor : public QDialog {
    Q_OBJECT
public:
    explicit ProviderEditor(QWidget* parent = nullptr);

    // Fills the hours first, then the texts, OptTage(dayCode, or 1 when it names no
    // option) and ChkWeite(1..3).
    void setValues(const QString& name, const QString& networkCode, int dayCode, int startHour,
                   int endHour, int nearFlag, int farFlag, int abroadFlag);

    QString nameText() const;        // Text1(0) as typed
    QString networkCodeText() const; // Text1(1) as typed
    // What "&OK" hands over: texts trimmed, MoFr/SaSo from OptTage, the slider's hours,
    // the flags from ChkWeite.
    ProviderRecord record() const;
    int startHour() const;
    int endHour() const;

private:
    void buildTexts(QGroupBox* frame, QGridLayout* grid);
    void buildDays(QGroupBox* frame, QGridLayout* grid);
    void buildDistances(QGroupBox* frame, QGridLayout* grid);
    void buildHours(QGroupBox* frame, QGridLayout* grid);
    void buildButtons(QGroupBox* frame, QGridLayout* grid);
    void showRange(int start, int end);

    QLineEdit* m_name = nullptr;
    QLineEdit* m_network = nullptr;
    std::array<QRadioButton*, 3> m_days{};
    std::array<QCheckBox*, 3> m_distances{};
    HourRangeSlider* m_slider = nullptr;
    QLabel* m_timeLabel = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace tarvok
