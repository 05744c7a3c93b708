#pragma once

#include <QChar>

class QWidget;

namespace ui {

// What sets channel page n (1 = "Ch A" ... 8 = "Ch H") apart from the others at design time;
// everything else on the eight pages is one template.
struct ChannelPageDesign {
    int delayDecimals;
    double widthValue;
    double burstValue;
    QChar burstSeparator;
    double waitValue;
    double waitMax;
    bool dutyHintsShown;
};

ChannelPageDesign ChannelPageDesignFor(int channel);

// Fills `page` with channel `channel`'s frame, check box and thirteen groups; every control
// and referenced group is named by its stem followed by the channel digit.
void BuildChannelPage(QWidget *page, int channel);

} // namespace ui
