#pragma once
// The main window. It owns the program's state and one object per subsystem; its methods
// keep the names the rest of the program calls them by and forward to those objects.

#include <cstdint>
#include <map>
#include <memory>
#include <QPointer>
#include <QWidget>
#include <string>

#include "app/SettingsFile.h"
#include "assembly/DesignSurface.h"
#include "modelview/PlatformServices.h"

class QLabel;
class QMenu;

namespace bw::ui {
class Panel;
class PictureButton;
} // namespace bw::ui

namespace bw::assembly {
class AddCommands;
class EnclosureCommands;
class HoverHighlight;
class InventoryTree;
class PopupMenus;
class StageWizard;
struct DesignState;
struct PaletteButton;
} // namespace bw::assembly

namespace bw::modelview {
class ModelView;
class ViewWidget;
} // namespace bw::modelview

namespace bw::app {

class DetailsPanel;
class MessageBoxNotifier;
class FrmColor;
class FrmStart;
class Frmabt;
class SaveCommands;

class Frmmain : public QWidget, private assembly::DesignSurface {
    Q_OBJECT
public:
    // platform: the 3D parts the program's start wires together.
    explicit Frmmain(modelview::PlatformServices platform, FrmStart* splash = nullptr);
    ~Frmmain() override;

    // The start-up sequence; false when no 3D device can be made and the program must end.
    bool Form_Load();

    void mnuexit_Click();
    void mnuabt_Click();
    void Picture6_Click();
    void Form_MouseMove();

    // Inventory: shown from the toolbar, closed by its own button.
    void Image4_Click();
    void Picture15_Click();

    // Details editor.
    void stdetails();
    void create_find();

    // Designing.
    void tower();
    void laptop();
    void build_motherboard();
    void stages();
    void Picture4_Click(int index);
    void Picture5_Click(int index);

    // The 3D view.
    void load_start();
    void RenderScene();
    void zoom_in();
    void RotateTrackBall(std::int16_t x, std::int16_t y);
    void find_part();
    // Pan arrows: 0 Up, 1 Left, 2 Down, 3 Right.
    void imgpan_Click(int index);
    modelview::ModelView& modelView() { return *modelView_; }
    modelview::ViewWidget* view() const { return PicGR_; }
    // Where the model files were looked for at start-up.
    const std::string& modelFolder() const { return modelFolder_; }

    // Reads the density of the screen the window is on and applies the compact layout
    // when it is large.
    void checkDisplayDensity(double logicalDpiX);
    std::int16_t largeFontFlag() const { return largeFontFlag_; }

    std::int16_t designStage() const;
    assembly::DesignState& state() { return *state_; }
    assembly::InventoryTree* inventory() const { return TrView1_; }
    SaveCommands* saveCommands() const { return saveCommands_; }
    assembly::StageWizard* wizard() const { return wizard_.get(); }
    assembly::PopupMenus* popups() const { return popups_; }
    bool isExiting() const { return exiting_; }
    Frmabt* aboutBox() const { return about_; }
    FrmColor* colourDialog() const { return colourDialog_; }

    // The view's background colour, 0x00RRGGBB.
    qint32 backgroundColour() const { return backgroundColour_; }
    void setBackgroundColour(qint32 colour);
    // Where the settings are read at start-up and written at Exit.
    void setSettingsFile(const SettingsFile& file);

signals:
    // Emitted once the program has decided to end, before its windows close.
    void exiting();

protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void buildControls();
    void buildToolbar();
    void buildViewArea();
    void buildPanels();
    void buildInventory();
    void buildDetails();
    void setInventoryVisible(bool visible);
    void runPaletteAction(const assembly::PaletteButton& button);
    void showColourDialog();
    void applyDesignTimeLayout(double dpi);
    void applyCompactLayout(double dpi);
    void placeViewOverlays();
    ui::PictureButton* addToolbarButton(const QString& name, const QString& icon, const QString& toolTip);
    QWidget* control(const QString& name) const;

    // DesignSurface: the model and the details editor as the design commands see them.
    void showPartFrames(catalogue::PartCode code) override;
    void hideAllPartFrames() override;
    void renderScene() override;
    void startNewPart(const QString& partName) override;
    void clearDetailBoxes() override;

    void buildDesignCommands();
    void connectView();
    void PicGR_MouseDown(int buttons, double x, double y);
    void toggleIndicator(int index, bool shown);
    void runPaletteButton(std::string_view array, int index);

    std::unique_ptr<assembly::DesignState> state_;
    std::unique_ptr<assembly::AddCommands> addCommands_;
    std::unique_ptr<assembly::EnclosureCommands> enclosure_;
    std::unique_ptr<assembly::StageWizard> wizard_;
    assembly::PopupMenus* popups_ = nullptr;
    QPointer<FrmStart> splash_;
    SaveCommands* saveCommands_ = nullptr;
    DetailsPanel* Picture7_ = nullptr;
    Frmabt* about_ = nullptr;
    FrmColor* colourDialog_ = nullptr;
    std::unique_ptr<SettingsFile> settings_;
    assembly::HoverHighlight* hover_ = nullptr;

    ui::Panel* Picture1_ = nullptr; // toolbar
    ui::Panel* Picture2_ = nullptr; // view indicators
    modelview::ViewWidget* PicGR_ = nullptr;
    std::unique_ptr<MessageBoxNotifier> notifier_;
    std::unique_ptr<modelview::ModelView> modelView_;
    std::string modelFolder_;
    QLabel* Label8_ = nullptr;
    assembly::InventoryTree* TrView1_ = nullptr;
    QLabel* Label1_ = nullptr;
    ui::PictureButton* Picture15_ = nullptr;
    std::map<int, ui::Panel*> Picture3_;
    std::map<int, QLabel*> imgbot_;
    std::map<int, QWidget*> Picbar_;
    QMenu* mnumain_ = nullptr;

    qint32 backgroundColour_ = 0;
    double layoutDpi_ = 96.0;
    std::int16_t largeFontFlag_ = 1;
    bool exiting_ = false;
};

} // namespace bw::app
