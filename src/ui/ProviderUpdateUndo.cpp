#include "ProviderUpdateUndo.h"

#include "ProviderTableModel.h"

namespace tarvok {

ProviderUpdateUndo::ProviderUpdateUndo(ProviderTableModel& model, QObject* parent)
    : QObject(parent)
    , m_model(model) {
    // Every change of the table goes through the model; any change after the update that
    // is not the undo itself makes the kept table stale.
    connect(&m_model, &QAbstractItemModel::modelReset, this, &ProviderUpdateUndo::forget);
    connect(&m_model, &QAbstractItemModel::rowsInserted, this, &ProviderUpdateUndo::forget);
    connect(&m_model, &QAbstractItemModel::rowsRemoved, this, &ProviderUpdateUndo::forget);
    connect(&m_model, &QAbstractItemModel::dataChanged, this, &ProviderUpdateUndo::forget);
    connect(&m_model, &QAbstractItemModel::layoutChanged, this, &ProviderUpdateUndo::forget);
}

void ProviderUpdateUndo::keep(ProviderTable before) {
    m_kept = std::move(before);
    emit availableChanged(true);
}

bool ProviderUpdateUndo::restore() {
    if (!m_kept)
        return false;
    ProviderTable kept = std::move(*m_kept);
    m_kept.reset();
    m_restoring = true;
    m_model.replaceTable(kept);
    m_restoring = false;
    emit availableChanged(false);
    return true;
}

void ProviderUpdateUndo::forget() {
    if (m_restoring || !m_kept)
        return;
    m_kept.reset();
    emit availableChanged(false);
}

} // namespace tarvok
