#include "StorableTextCheck.h"

#include "MessageBox.h"
#include "StorableText.h"

#include <QLineEdit>
#include <QStringList>

namespace tarvok {

namespace {

// Each character with its code, so that a mark or a control character that shows as
// nothing is still named.
QString characterNames(const QString& characters) {
    QStringList names;
    for (char32_t c : characters.toUcs4()) {
        const QString code = QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
        const QString shown = QChar::isPrint(c) && !QChar::isMark(c)
                                  ? QString::fromUcs4(&c, 1)
                                  : QString(QChar(0x25CC)) + QString::fromUcs4(&c, 1);
        names << QStringLiteral("\"%1\" (%2)").arg(shown, code);
    }
    return names.join(QStringLiteral(", "));
}

QString replacementList(const QString& replaced) {
    QStringList lines;
    for (char32_t c : replaced.toUcs4()) {
        const QString letter = QString::fromUcs4(&c, 1);
        lines << QStringLiteral("%1 durch %2").arg(letter, MakeStorable(letter).text);
    }
    return lines.join(QStringLiteral(", "));
}

void addOnce(QString& list, const QString& characters) {
    for (char32_t c : characters.toUcs4()) {
        if (!list.toUcs4().contains(c))
            list += QString::fromUcs4(&c, 1);
    }
}

QLineEdit* firstWith(const QList<QLineEdit*>& boxes, const QList<StorableText>& results,
                     QString StorableText::*characters) {
    for (qsizetype i = 0; i < boxes.size(); ++i) {
        if (!(results[i].*characters).isEmpty())
            return boxes[i];
    }
    return nullptr;
}

void showStorable(const QList<QLineEdit*>& boxes, const QList<StorableText>& results) {
    for (qsizetype i = 0; i < boxes.size(); ++i) {
        if (boxes[i]->text() != results[i].text)
            boxes[i]->setText(results[i].text);
    }
}

bool askToReplace(QWidget* parent, const QString& replaced) {
    return MessageBox::question(
        parent, MessageBox::kTitle,
        QStringLiteral("Diese Buchstaben können nicht gespeichert werden: ") +
            characterNames(replaced) +
            QStringLiteral("\nSollen sie ersetzt werden (%1)?").arg(replacementList(replaced)));
}

} // namespace

bool AcceptStorableTexts(QWidget* parent, const QList<QLineEdit*>& boxes) {
    QList<StorableText> results;
    QString unstorable;
    QString replaced;
    for (QLineEdit* box : boxes) {
        results << MakeStorable(box->text());
        addOnce(unstorable, results.back().unstorable);
        addOnce(replaced, results.back().replaced);
    }
    if (!unstorable.isEmpty()) {
        MessageBox::exclamation(parent, MessageBox::kTitle,
                                QStringLiteral("Diese Zeichen können nicht gespeichert werden: ") +
                                    characterNames(unstorable) +
                                    QStringLiteral("\nBitte ändern Sie den Text."));
        firstWith(boxes, results, &StorableText::unstorable)->setFocus(Qt::OtherFocusReason);
        return false;
    }
    if (!replaced.isEmpty() && !askToReplace(parent, replaced)) {
        firstWith(boxes, results, &StorableText::replaced)->setFocus(Qt::OtherFocusReason);
        return false;
    }
    // Also writes letters typed as base plus mark back in their composed form.
    showStorable(boxes, results);
    return true;
}

} // namespace tarvok
