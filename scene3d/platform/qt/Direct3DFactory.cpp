#include "scene3d/platform/qt/Direct3DFactory.h"

#include <QString>
#include <QtGlobal>

#include "scene3d/platform/qt/ScreenAdapters.h"
#include "scene3d/platform/raster/ReferenceDriver.h"

namespace bw {

namespace {

// Program-wide, like the platform's own driver registry; set from the user-interface
// thread at start-up.
bool forcedByCommandLine = false;
std::shared_ptr<DeviceDriver>& hardwareDriver() {
    static std::shared_ptr<DeviceDriver> driver;
    return driver;
}

} // namespace

bool referenceRequestedBy(const std::string& environmentValue) {
    return QString::fromStdString(environmentValue).trimmed().compare("reference", Qt::CaseInsensitive) == 0;
}

void setReferenceDeviceForced(bool forced) { forcedByCommandLine = forced; }

bool referenceDeviceForced() {
    return forcedByCommandLine ||
           referenceRequestedBy(qEnvironmentVariable("BOARDWRIGHT_DEVICE").toStdString());
}

void setHardwareDeviceDriver(std::shared_ptr<DeviceDriver> driver) { hardwareDriver() = std::move(driver); }

void installDrivers(Direct3D& direct3d, std::shared_ptr<DeviceDriver> hardware, bool referenceForced) {
    auto reference = std::make_shared<ReferenceDriver>();
    direct3d.setDriver(D3DDEVTYPE_REF, reference);
    direct3d.setDriver(D3DDEVTYPE_HAL, referenceForced ? reference : std::move(hardware));
}

std::shared_ptr<IDirect3D8> Direct3DCreate8() {
    auto direct3d = std::make_shared<Direct3D>(adaptersFromScreens());
    installDrivers(*direct3d, hardwareDriver(), referenceDeviceForced());
    return direct3d;
}

} // namespace bw
