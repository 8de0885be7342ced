#include "ImportPlanModel.h"

namespace tarvok {

namespace {

QString quoted(const QString& text) {
    return QStringLiteral("„%1“").arg(text);
}

QString reasonText(const ImportRow& row) {
    switch (row.reason) {
    case SkipReason::None:
        return {};
    case SkipReason::NoName:
        return QStringLiteral("kein Name");
    case SkipReason::NoNumber:
        return QStringLiteral("keine Nummer");
    case SkipReason::BadNumber:
        return QStringLiteral("Nummer %1 nicht lesbar").arg(quoted(row.fileNumber));
    case SkipReason::ListFull:
        return QStringLiteral("Liste voll");
    case SkipReason::Unstorable:
        return QStringLiteral("Zeichen %1 nicht speicherbar").arg(quoted(row.unstorable));
    case SkipReason::DuplicateInFile:
        return QStringLiteral("doppelt in der Datei");
    }
    return {};
}

} // namespace

ImportPlanModel::ImportPlanModel(QObject* parent)
    : QAbstractTableModel(parent) {}

void ImportPlanModel::setPlan(ImportPlan plan) {
    beginResetModel();
    m_plan = std::move(plan);
    endResetModel();
}

int ImportPlanModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_plan.rows.size());
}

int ImportPlanModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString ImportPlanModel::stateText(const ImportRow& row) {
    switch (row.state) {
    case ImportState::New:
        return row.replaced.isEmpty()
                   ? QStringLiteral("neu")
                   : QStringLiteral("neu, %1 ohne Akzent gespeichert").arg(quoted(row.replaced));
    case ImportState::Present:
        return QStringLiteral("vorhanden");
    case ImportState::Skipped:
        return QStringLiteral("übersprungen: ") + reasonText(row);
    }
    return {};
}

QVariant ImportPlanModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const ImportRow& row = m_plan.rows[size_t(index.row())];
    // A long reason is cut off in a narrow column; its tooltip holds it whole.
    if (role == Qt::ToolTipRole && index.column() == StateColumn)
        return stateText(row);
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    switch (index.column()) {
    case NameColumn:
        return row.name;
    case NumberColumn:
        return row.number.isEmpty() ? row.fileNumber : row.number;
    case ZeroColumn:
        return row.number.isEmpty()
                   ? QString()
                   : (row.zeroPrefix ? QStringLiteral("ja") : QStringLiteral("nein"));
    case StateColumn:
        return stateText(row);
    default:
        return {};
    }
}

QVariant ImportPlanModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case NameColumn:
        return QStringLiteral("Name");
    case NumberColumn:
        return QStringLiteral("Nummer");
    case ZeroColumn:
        return QStringLiteral("Null voranstellen");
    case StateColumn:
        return QStringLiteral("Status");
    default:
        return {};
    }
}

} // namespace tarvok
