#pragma once

#include <QProxyStyle>

namespace tarvok {

// The options page keeps its fixed twips layout, drawn for narrower controls than today's
// styles make: this style gives drop-down lists a slimmer arrow and list cells a slimmer
// margin, so that "COM1" and "09h" fit the widths the layout allows.
class CompactStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit CompactStyle(QObject* parent = nullptr);

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                         SubControl subControl, const QWidget* widget = nullptr) const override;
};

} // namespace tarvok
