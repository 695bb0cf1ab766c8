#pragma once
// The main window. It owns the program's state and one object per subsystem; its methods
// keep the names the rest of the program calls them by and forward to those objects.

#include <cstdint>
#include <memory>
#include <QPointer>
#include <QWidget>
#include <string>

#include "app/MainWindowControls.h"
#include "app/SettingsFile.h"
#include "modelview/PlatformServices.h"

namespace bw::assembly {
class DesignCommands;
class StageWizard;
} // namespace bw::assembly

namespace bw::modelview {
class ModelReadAhead;
class ModelView;
} // namespace bw::modelview

namespace bw::app {

class DesignDocument;
class ExportCommands;
class FirstStageHint;
class FrmStart;
class MainWindowPlacement;
class MessageBoxNotifier;
class SaveCommands;
class ToolWindows;
class ViewController;
class WindowSurface;

class Frmmain : public QWidget {
    Q_OBJECT
public:
    // platform: the 3D parts the program's start wires together.
    explicit Frmmain(modelview::PlatformServices platform, FrmStart* splash = nullptr);
    ~Frmmain() override;

    // The start-up sequence; false when no 3D device can be made and the program must end.
    // With a design file, it ends with that design open instead of the Design dialog (or,
    // when the file cannot be read, with the message and then the dialog).
    bool Form_Load(const QString& designFile = QString());
    // Model files that start-up already reads ahead, for Form_Load to build the model from.
    void readModelAhead(std::unique_ptr<modelview::ModelReadAhead> files);

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

    // The design as a file: Open, New design, Save and the question before discarding.
    DesignDocument& document() { return *document_; }
    // The parts list, picture and report exports.
    ExportCommands& exports() { return *exports_; }

    // The program's state, for the tests that check it against what the window shows.
    modelview::ModelView& modelView() { return *modelView_; }
    assembly::DesignState& state() { return *state_; }
    // Where the model files were looked for at start-up.
    const std::string& modelFolder() const;
    bool isExiting() const { return exiting_; }

    // Applies the compact layout when the screen the window is on is set for large fonts,
    // whether Qt scales (a device-pixel ratio above 1) or not (a logical density above 96).
    void checkDisplayDensity(double logicalDpiX, double devicePixelRatio = 1.0);
    std::int16_t largeFontFlag() const;

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
    void paintEvent(QPaintEvent* event) override;

private:
    void connectControls();
    void connectHistory();
    void setInventoryVisible(bool visible);
    // Lights the splash's last block and closes it for good, if it is still there.
    void closeSplash();

    std::unique_ptr<assembly::DesignState> state_;
    QPointer<FrmStart> splash_;
    std::unique_ptr<SettingsFile> settings_;
    std::unique_ptr<MessageBoxNotifier> notifier_;
    std::unique_ptr<modelview::ModelView> modelView_;

    MainWindowControls controls_;
    std::unique_ptr<MainWindowPlacement> placement_;
    ToolWindows* toolWindows_ = nullptr;
    ViewController* viewController_ = nullptr;
    std::unique_ptr<WindowSurface> surface_;
    std::unique_ptr<assembly::DesignCommands> design_;
    std::unique_ptr<assembly::StageWizard> wizard_;
    SaveCommands* saveCommands_ = nullptr;
    DesignDocument* document_ = nullptr;
    ExportCommands* exports_ = nullptr;
    FirstStageHint* hint_ = nullptr;

    qint32 backgroundColour_ = 0;
    bool exiting_ = false;
};

} // namespace bw::app
