#pragma once

#include <QProxyStyle>

namespace tarvok {

// The options page was drawn for narrower controls than today's styles make: this style
// gives drop-down lists a slimmer arrow and list cells a slimmer margin, so that the page
// keeps close to its drawn size.
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
