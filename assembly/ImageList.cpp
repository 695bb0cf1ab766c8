#include "assembly/ImageList.h"

#include "ui/DeferredIcon.h"
#include "ui/PictureLibrary.h"

namespace bw::assembly {

const QStringList& imageListKeys() {
    static const QStringList keys = {"bios", "os",   "mc",   "hm",    "ip",      "pw",  "cpu", "nw",
                                     "agp",  "kb",   "mb",   "mem",   "mod",     "ms",  "par", "pcmia",
                                     "refg", "scsi", "ser",  "slots", "tape",    "ups", "hd",  "usb",
                                     "snd",  "fan",  "ir",   "temp",  "pipe",    "fd",  "dvd", "pc",
                                     "nd",   "fw",   "lock", "tower", "wireless"};
    return keys;
}

const ImageList& imageList3() {
    static const ImageList list = [] {
        ImageList images;
        // The tree is out of sight at start-up: each picture is rendered when first drawn.
        for (const QString& key : imageListKeys())
            images.insert(key, ui::deferredIcon([key] {
                              QIcon icon;
                              for (int size : {16, 20, 24, 32})
                                  icon.addPixmap(ui::iconPicture(key, QSize(size, size)));
                              return icon;
                          }));
        return images;
    }();
    return list;
}

} // namespace bw::assembly
