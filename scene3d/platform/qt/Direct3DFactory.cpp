#include "scene3d/platform/qt/Direct3DFactory.h"

#include <QString>
#include <QtGlobal>

#include "scene3d/platform/qt/ScreenAdapters.h"

namespace bw {

bool referenceRequestedBy(const std::string& environmentValue) {
    return QString::fromStdString(environmentValue).trimmed().compare("reference", Qt::CaseInsensitive) == 0;
}

bool referenceRequestedByEnvironment() {
    return referenceRequestedBy(qEnvironmentVariable("BOARDWRIGHT_DEVICE").toStdString());
}

void installDrivers(Direct3D& direct3d, const DeviceDrivers& drivers) {
    direct3d.setDriver(D3DDEVTYPE_REF, drivers.reference);
    direct3d.setDriver(D3DDEVTYPE_HAL, drivers.referenceForced ? drivers.reference : drivers.hardware);
}

std::shared_ptr<IDirect3D8> createDirect3D(const DeviceDrivers& drivers) {
    auto direct3d = std::make_shared<Direct3D>(adaptersFromScreens());
    installDrivers(*direct3d, drivers);
    return direct3d;
}

} // namespace bw
