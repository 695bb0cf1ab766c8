#include "assembly/PaletteTable.h"

namespace bw::assembly {
namespace {

using A = PaletteAction;

constexpr PaletteButton kButtons[] = {
    // stage 1
    {"Picture5", 19, 2, "CPU", "CPU", "cpu", A::OpenPopup, "mnucpu"},
    {"Picture4", 12, 2, "North Bridge", "N Bridge", "northbridge", A::AddSlot, "NorthBridge"},
    {"Picture4", 5, 2, "Memory", "Memory", "mem", A::AddNextFree, "memory cards"},
    // stage 2
    {"Picture5", 3, 9, "Motherboard Slots", "Slots", "slots", A::OpenPopup, "mnupci"},
    {"Picture4", 18, 9, "SATA Connector", "SATA", "sata", A::AddNextFree, "SATA connectors"},
    {"Picture4", 16, 9, "E-IDE Connector", "E-IDE", "eide", A::AddNextFree, "E-IDE connectors"},
    // stage 3
    {"Picture5", 22, 16, "Video", "Video", "video", A::OpenPopup, "mnuvideo"},
    // stage 4
    {"Picture4", 19, 14, "Infra Red", "Infra Red", "infrared", A::AddSlot, "InfraredDevice"},
    {"Picture5", 21, 14, "Temperature Sensors", "Temp...", "temperature", A::OpenPopup, "mnutemp"},
    // stage 5
    {"Picture4", 4, 0, "Power Supply Unit", "PSU", "psu", A::AddSlot, "PowerSupplyUnit"},
    {"Picture5", 0, 0, "System Fans", "Fan", "fans", A::OpenPopup, "mnufan"},
    {"Picture4", 3, 0, "Uninterruptible Power Supply (UPS)", "UPS", "ups", A::AddSlot, "Ups"},
    {"Picture4", 1, 0, "Heat Pipe", "Heat Pipe", "heatpipe", A::AddSlot, "HeatPipe"},
    {"Picture4", 0, 0, "System Case Lock", "Lock", "lock", A::AddSlot, "CaseLock"},
    // stage 6
    {"Picture4", 13, 4, "Ethernet Socket", "Ethernet", "ethernet", A::AddNextFree, "Ethernet ports"},
    {"Picture4", 11, 4, "Firewire connector", "Firewire", "firewire", A::AddNextFree, "FireWire sockets"},
    {"Picture4", 10, 4, "Parallel port connector", "Parallel", "parallel", A::AddNextFree, "parallel ports"},
    {"Picture4", 9, 4, "PS2 Connector", "PS2", "ps2", A::AddSlot, "Ps2Connector"},
    {"Picture4", 8, 4, "Serial port connector", "Serial", "serial", A::AddNextFree, "serial ports"},
    {"Picture5", 10, 4, "Memory Card socket", "Memory", "memorycard", A::OpenPopup, "mnumc"},
    {"Picture5", 9, 4, "USB Sockets", "USB", "usbsocket", A::OpenPopup, "mnuusb"},
    {"Picture5", 8, 4, "Headphone and Microphone sockets", "Sound", "sound", A::OpenPopup, "mnuaudio"},
    {"Picture4", 2, 4, "PCI Card", "Cards", "cards", A::AddNextFree, "PCI cards"},
    // stage 7
    {"Picture5", 7, 3, "Optical drive", "Optical", "optical", A::AddNextFree, "DVD/CD drives"},
    {"Picture5", 6, 3, "Hard Disk drive", "Hard", "harddisk", A::AddNextFree, "hard disk drives"},
    // stage 8
    {"Picture5", 2, 1, "Keyboard", "Keyboard", "keyboard", A::OpenPopup, "mnuKeyb"},
    {"Picture5", 1, 1, "Pointing device", "Pointing", "mouse", A::OpenPopup, "mnumsa"},
    // stage 9
    {"Picture4", 17, 12, "Monitor", "Monitor", "monitor", A::AddSlot, "Screen"},
    {"Picture4", 15, 12, "Wireless", "Wireless", "wirelesscard", A::AddSlot, "Wireless"},
    // stage 10
    {"Picture5", 11, 5, "Operating System", "O.S", "windows", A::OpenPopup, "mnuos"},
    // laptop stage
    {"Picture5", 23, 8, "PCMCIA", "PCMCIA", "pcmcia", A::AddSlot, "PcmciaController"},
    {"Picture4", 14, 8, "Battery", "Battery", "battery", A::AddSlot, "PortableBattery"},
    // view panel
    {"picbut", 17, 7, "Show or Hide base", "Base", "base", A::ToggleBase, ""},
    {"picbut", 16, 7, "Show/Hide XYZ", "3D", "axes", A::ToggleAxes, ""},
    {"Picture5", 12, 7, "Lights", "Lights", "lights", A::ToggleLights, ""},
    {"Picture5", 18, 7, "Background Color", "Color", "color", A::ShowColorDialog, ""},
    {"Picture5", 17, 7, "Part details", "Details", "details", A::ToggleDetails, ""},
    // zoom panel
    {"Picture5", 20, 10, "Zoom In", "In", "zoomin", A::ZoomIn, ""},
    {"Picture5", 13, 10, "Zoom Out", "Out", "zoomout", A::ZoomOut, ""},
};

} // namespace

std::span<const PaletteButton> paletteButtons() { return kButtons; }

} // namespace bw::assembly
