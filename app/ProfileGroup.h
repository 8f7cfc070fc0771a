#pragma once

#include "app/PanelGroup.h"
#include "settings/FontProfile.h"

class QPushButton;

namespace zeb {

class NumberField;

// A font profile's group: the font sample, the background and font colour swatches, the page
// margins and the line interval.
class ProfileGroup : public PanelGroup {
    Q_OBJECT

public:
    ProfileGroup(const char* caption, QWidget* parent);

    // Paints the sample and the swatches for profile at the given supersampling.
    void ShowLook(const FontProfile& profile, int32_t supersample);
    // Writes margins and interval into their fields.
    void ShowValues(const FontProfile& profile);

    QPushButton* SampleButton() const { return sample_; }
    QPushButton* BackColorButton() const { return backColor_; }
    QPushButton* FontColorButton() const { return fontColor_; }
    NumberField* MarginsField() const { return margins_; }
    NumberField* IntervalField() const { return interval_; }

private:
    QPushButton* sample_;
    QPushButton* backColor_;
    QPushButton* fontColor_;
    NumberField* margins_;
    NumberField* interval_;
};

}  // namespace zeb
