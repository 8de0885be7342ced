#pragma once

#include <QString>

class QAbstractItemModel;
class QTableView;
class QWidget;

namespace tarvok {

// A read-only table of whole rows over a model that may hold tens of thousands of them:
// fixed row heights and no measuring of contents, so it fills at once.
QTableView* MakeResultTable(QAbstractItemModel* model, const QString& objectName,
                            const QString& accessibleName, QWidget* parent);

} // namespace tarvok
