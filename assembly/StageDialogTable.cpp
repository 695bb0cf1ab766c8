#include "assembly/StageDialogTable.h"

namespace bw::assembly {
namespace {

constexpr StageDialogLine kLines[] = {
    {"frm2", "CPU", 0, "The first stage is to add core components.", ""},
    {"frm2", "CPU", 0, "Add a CPU either Intel or AMD.", "cpu"},
    {"frm2", "CPU", 0,
     "Some motherboards use a north bridge. This acts as a bridge between key system components.",
     "northbridge"},
    {"frm2", "CPU", 0, "Add memory cards to the motherboard.", "mem"},

    {"frm3", "Slots", 0, "Add PCI, E-IDE or SATA connectors to the motherboard.", ""},
    {"frm3", "Slots", 0, "Add PCI slots to the motherboard.", "slots"},
    {"frm3", "Slots", 0, "E-IDE Connectors are used to connect hard drives to the motherboard.", "eide"},
    {"frm3", "Slots", 0, "SATA Connectors are used to connect hard drives to the motherboard.", "sata"},

    {"frm4", "Video", 0, "Add integrated, AGP or HDMI video to the motherboard.", ""},
    {"frm4", "Video", 0, "Add Video to the motherboard.", "video"},

    {"frm5", "Temperature and Infra Red", 0, "Add Temperature sensors and Infra Red communications.", ""},
    {"frm5", "Temperature and Infra Red", 0, "Add Temperature sensors motherboard.", "temperature"},
    {"frm5", "Temperature and Infra Red", 0, "Add Infra Red to the Motherboard", "infrared"},

    {"frm6", "System components", 0, "Add system components.", ""},
    {"frm6", "System components", 0, "Add a Lock for the system case.", "lock"},
    {"frm6", "System components", 0, "Add a power supply unit (PSU)", "psu"},
    {"frm6", "System components", 0, "Add a heat pipe to cool system components like the cpu.", "heatpipe"},
    {"frm6", "System components", 0, "Add an Uninterruptible power supply (UPS) to the system.", "ups"},
    {"frm6", "System components", 0, "Add cooling fans for the processor and system case.", "fans"},

    {"frm7", "Ports", 0, "Add connector ports to the motherboard.", ""},
    {"frm7", "Ports", 0, "Add Serial port connector to the motherboard.", "serial"},
    {"frm7", "Ports", 0, "Add Parallel port connector to the motherboard.", "parallel"},
    {"frm7", "Ports", 0, "Add Ethernet port connector to the motherboard.", "ethernet"},
    {"frm7", "Ports", 0, "Add Keyboard and Pointing (Mouse) connectors to the motherboard.", "ps2"},
    {"frm7", "Ports", 0, "Add Firewire port connector to the motherboard.", "firewire"},
    {"frm7", "Ports", 1, "Add connectors for external memory cards.", "memorycard"},
    {"frm7", "Ports", 1, "Add audio sockets front and back for microphone and headphones.", "sound"},
    {"frm7", "Ports", 1, "Add usb connectors front and back for external peripherals.", "usbsocket"},

    {"frm8", "Drives", 0, "Add hard disk drives or optical drives to the system.", ""},
    {"frm8", "Drives", 0, "Add a hard disk drive.", "harddisk"},
    {"frm8", "Drives", 0, "Add a optical drive.", "optical"},

    {"frm9", "Inputs", 0, "Add keyboard or pointing device.", ""},
    {"frm9", "Inputs", 0, "Add Keyboard (KEY)", "keyboard"},
    {"frm9", "Inputs", 0, "Add pointing device.", "mouse"},

    {"frm10", "Wireless", 0, "Add Wireless and a screen", ""},
    {"frm10", "Wireless", 0, "Add external wireless.", "wirelesscard"},
    {"frm10", "Wireless", 0, "Add screen.", "monitor"},

    {"frm11", "Windows", 0, "Please select which version of Windows you wish to use in your system.", ""},
    {"frm11", "Windows", 0, "Select the version of Windows.", "windows"},

    {"frm12", "Laptop", 0, "Laptop components.", ""},
    {"frm12", "Laptop", 0, "Add PCMCIA to the motherboard.", "pcmcia"},
    {"frm12", "Laptop", 0, "Add a battery to the Laptop.", "battery"},
};

} // namespace

std::span<const StageDialogLine> stageDialogLines() { return kLines; }

} // namespace bw::assembly
