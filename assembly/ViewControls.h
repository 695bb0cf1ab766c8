#pragma once
// What the view and zoom palettes change besides the design: the model view's switches
// and camera, the details editor and the colour dialog. The main window provides it.

namespace bw::assembly {

class ViewControls {
public:
    virtual ~ViewControls() = default;

    // Each toggle also shows or hides its indicator under the view.
    virtual void toggleAxes() = 0;
    virtual void toggleBase() = 0;
    virtual void toggleLights() = 0;
    virtual void zoomIn() = 0;
    virtual void zoomOut() = 0;
    virtual void toggleDetails() = 0;
    virtual void showColourDialog() = 0;
};

} // namespace bw::assembly
