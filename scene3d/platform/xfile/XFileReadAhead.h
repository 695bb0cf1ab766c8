#pragma once
// Opens and reads a known list of .x files ahead of their use, on background threads and
// on the caller's while it would otherwise wait, and hands them over in list order.
// Reading the text of the model files is most of the work of building a model: this
// spreads it over the cores while the caller builds from the files already read. A file
// listed again is read once: its later turns walk the objects of the first reading.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "scene3d/platform/common/RegularFile.h"
#include "scene3d/platform/common/WorkerPool.h"
#include "scene3d/platform/xfile/XFile.h"

namespace bw {

// Far more than the program's model files hold all together, and a bound on what files at
// the reader's limits can pile up before they are taken.
inline constexpr std::uint64_t maxReadAheadBytes = std::uint64_t{256} << 20;

class XFileReadAhead {
public:
    // readers: background threads, by default one fewer than the cores (the caller reads
    // too); 0 reads each file when it is taken. window bounds the files read and not yet
    // taken, and windowBytes what they hold (XFile::heldBytes): no further file is read
    // ahead once they hold that much.
    explicit XFileReadAhead(const std::vector<std::filesystem::path>& paths,
                            std::optional<unsigned> readers = std::nullopt, std::size_t window = 32,
                            std::uint64_t windowBytes = maxReadAheadBytes);
    // The same for files of one folder, by their names in it: no path is put together
    // only to be taken apart again.
    XFileReadAhead(const std::filesystem::path& folder, std::vector<std::string> names,
                   std::optional<unsigned> readers = std::nullopt, std::size_t window = 32,
                   std::uint64_t windowBytes = maxReadAheadBytes);
    // Stops the readers; a file being read is finished first.
    ~XFileReadAhead();
    XFileReadAhead(const XFileReadAhead&) = delete;
    XFileReadAhead& operator=(const XFileReadAhead&) = delete;

    // The next file of the list, read: nextObject gives its objects, and any failure of
    // the reading where it happened. Empty when the file could not be opened
    // (XFile::open's PlatformError); other errors of opening, and a file refused for its
    // size (overBudget, LoadBudget.h), are thrown here.
    // Precondition: fewer calls than paths.
    std::optional<XFile> take();

private:
    // The files of a list: each one's name in its folder, spelled as given (a path of each
    // would be parsed for nothing), and the folders, held open.
    struct Listing {
        std::vector<std::string> names;
        std::vector<std::unique_ptr<OpenFolder>> folders;
        std::vector<std::size_t> folderOf;
    };
    static Listing listingOf(const std::vector<std::filesystem::path>& paths);
    static Listing listingIn(const std::filesystem::path& folder, std::vector<std::string> names);
    XFileReadAhead(Listing files, std::optional<unsigned> readers, std::size_t window,
                   std::uint64_t windowBytes);

    struct Slot {
        bool ready = false;
        std::uint64_t bytes = 0; // what the file holds while it waits to be taken
        std::optional<XFile> file;
        std::exception_ptr failure;
    };

    // Reads the file at index of the list.
    Slot read(std::size_t index) const;
    // The next file nobody reads yet (and not read already), if the window has room;
    // called with the lock held.
    std::optional<std::size_t> claimNext();
    // Stores a file read, and its next turn when nobody reads that yet, and wakes the taker
    // if it waits for it; called without the lock.
    void store(std::size_t index, Slot slot);
    void readLoop();

    Listing files_;
    std::size_t window_;
    std::uint64_t windowBytes_;
    std::uint64_t bytesAhead_ = 0; // of the files read and not yet taken
    std::vector<Slot> slots_;
    std::vector<std::size_t> nextTurn_; // the next index of the same file, or files_.names.size()
    std::size_t nextToRead_ = 0;        // files before it are being read or read
    std::size_t nextToTake_ = 0;
    bool stopping_ = false;
    // Who sleeps: waking a thread costs a system call, so nobody wakes a thread that does not.
    unsigned readersWaiting_ = 0;
    bool takerWaiting_ = false;
    std::mutex mutex_;
    std::condition_variable readerWait_; // readers wait for room in the window
    std::condition_variable takerWait_;  // take waits for a file a reader is reading
    // Last: its threads end before the members they use go.
    WorkerPool readers_;
};

} // namespace bw
