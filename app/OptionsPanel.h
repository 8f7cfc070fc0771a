#pragma once

#include <array>
#include <functional>
#include <optional>

#include <QColor>
#include <QFont>
#include <QWidget>

#include "app/OptionsPanelLayout.h"
#include "settings/ZEBOptions.h"

class QPushButton;

namespace zeb {

class NumberField;
class ProfileGroup;
class RadioGroup;
class ReaderMenu;
class SpeedGroup;

// The panel over the bottom-left corner of the page where the reader's settings are edited.
// Every control writes its setting through options at once; the change events bring the
// controls back up to date (Refresh, ShowLook). The radio buttons and number fields do nothing
// while busy is set (the program itself is changing controls) and set it while they run.
class OptionsPanel : public QWidget {
    Q_OBJECT

public:
    // Asked for a font (monospaced: the fixed-width profile's list) or a colour; nothing when
    // the user cancels. Standard dialogs unless tests answer them.
    using FontChooser = std::function<std::optional<QFont>(const QFont& initial, bool monospaced)>;
    using ColorChooser = std::function<std::optional<QColor>(const QColor& initial)>;

    OptionsPanel(ZEBOptions& options, bool& busy, QWidget* parent);

    void SetFontChooser(FontChooser chooser) { chooseFont_ = std::move(chooser); }
    void SetColorChooser(ColorChooser chooser) { chooseColor_ = std::move(chooser); }

    // The popup menu opens on the panel, its groups and its buttons.
    void AttachMenu(ReaderMenu& menu);

    // Brings the controls up to date with the settings: the speed mode always; the numbers
    // and the radio groups only when writeValues (the change did not come from the panel,
    // whose fields then keep what the user typed).
    void Refresh(bool writeValues);
    // Paints a profile's sample and swatches.
    void ShowLook(FontProfileIndex which);

    // The panel's size with every caption whole.
    QSize DesignedSize() const { return designedSize_; }

    SpeedGroup* Speed() const { return speed_; }
    RadioGroup* Group(PanelControl control) const;
    ProfileGroup* Profile(FontProfileIndex which) const { return profiles_[which]; }
    QPushButton* Button(PanelControl control) const;

signals:
    void AboutRequested();
    void HelpRequested();

private:
    void CreateControls();
    void ConnectControls();
    void ConnectProfile(FontProfileIndex which);
    void ConnectField(NumberField* field, SettingRange range, std::function<void(int32_t)> set);
    void Arrange();
    QWidget* Control(PanelControl control) const;
    // Runs a control's action unless the program is changing controls.
    void WhenIdle(const std::function<void()>& action);
    void ChooseFont(FontProfileIndex which);
    void ChooseColor(FontProfileIndex which, bool background);

    ZEBOptions& options_;
    bool& busy_;
    FontChooser chooseFont_;
    ColorChooser chooseColor_;
    QSize designedSize_;

    SpeedGroup* speed_ = nullptr;
    std::array<RadioGroup*, PanelControlCount> groups_{};
    std::array<ProfileGroup*, 2> profiles_{};
    std::array<QPushButton*, PanelControlCount> buttons_{};
};

}  // namespace zeb
