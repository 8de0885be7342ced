#pragma once

#include "ProviderTable.h"

#include <QObject>

#include <optional>

namespace tarvok {

class ProviderTableModel;

// Keeps the provider table as it was before an update, until the table is next changed
// any other way (by hand, by sorting) or the program ends.
class ProviderUpdateUndo : public QObject {
    Q_OBJECT
public:
    explicit ProviderUpdateUndo(ProviderTableModel& model, QObject* parent = nullptr);

    // The update has just changed the table; `before` is how it was.
    void keep(ProviderTable before);
    bool isAvailable() const { return m_kept.has_value(); }
    // Puts the kept table back, rows, order and sort; false when there is none.
    bool restore();

signals:
    void availableChanged(bool available);

private:
    void forget();

    ProviderTableModel& m_model;
    std::optional<ProviderTable> m_kept;
    bool m_restoring = false;
};

} // namespace tarvok
