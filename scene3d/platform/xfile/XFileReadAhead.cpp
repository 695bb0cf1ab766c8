#include "scene3d/platform/xfile/XFileReadAhead.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "scene3d/platform/common/PlatformError.h"
#include "scene3d/platform/xfile/LoadBudget.h"

namespace bw {

namespace {

// Larger than any of the program's model files: one of them never makes the buffer again.
constexpr std::size_t keptBufferBytes = std::size_t{1} << 20;

unsigned readerCount(std::optional<unsigned> readers, std::size_t fileCount) {
    return static_cast<unsigned>(
        std::min<std::size_t>(readers.value_or(WorkerPool::usableCores() - 1), fileCount));
}

} // namespace

XFileReadAhead::Listing XFileReadAhead::listingOf(const std::vector<std::filesystem::path>& paths) {
    Listing files;
    // By spelling: comparing paths part by part cost more than reading a small file.
    std::unordered_map<std::string, std::size_t> folderIndex;
    for (const std::filesystem::path& path : paths) {
        // Split by spelling at the last '/': path's own decomposition cost more than it saved.
        const std::string& spelling = path.native();
        const std::size_t slash = spelling.rfind('/');
        const std::string folder = slash == std::string::npos ? std::string() : spelling.substr(0, slash + 1);
        const auto [it, added] = folderIndex.try_emplace(folder, files.folders.size());
        if (added) files.folders.push_back(std::make_unique<OpenFolder>(folder.empty() ? "." : folder));
        files.folderOf.push_back(it->second);
        files.names.emplace_back(slash == std::string::npos ? spelling : spelling.substr(slash + 1));
    }
    return files;
}

XFileReadAhead::Listing XFileReadAhead::listingIn(const std::filesystem::path& folder,
                                                  std::vector<std::string> names) {
    Listing files;
    files.folders.push_back(std::make_unique<OpenFolder>(folder));
    files.folderOf.assign(names.size(), 0);
    files.names = std::move(names);
    return files;
}

XFileReadAhead::XFileReadAhead(const std::vector<std::filesystem::path>& paths,
                               std::optional<unsigned> readers, std::size_t window, std::uint64_t windowBytes)
    : XFileReadAhead(listingOf(paths), readers, window, windowBytes) {}

XFileReadAhead::XFileReadAhead(const std::filesystem::path& folder, std::vector<std::string> names,
                               std::optional<unsigned> readers, std::size_t window, std::uint64_t windowBytes)
    : XFileReadAhead(listingIn(folder, std::move(names)), readers, window, windowBytes) {}

XFileReadAhead::XFileReadAhead(Listing files, std::optional<unsigned> readers, std::size_t window,
                               std::uint64_t windowBytes)
    : files_(std::move(files)), window_(std::max<std::size_t>(window, 1)), windowBytes_(windowBytes),
      slots_(files_.names.size()), nextTurn_(files_.names.size(), files_.names.size()),
      readers_(readerCount(readers, files_.names.size())) {
    // Each file's next turn: the files in order of folder and name, each turn of one file
    // then next to its others, in list order (a stable sort; no map node per file).
    std::vector<std::size_t> order(files_.names.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const auto key = [this](std::size_t i) {
        return std::pair<std::size_t, std::string_view>(files_.folderOf[i], files_.names[i]);
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
    for (std::size_t k = 0; k + 1 < order.size(); ++k)
        if (key(order[k]) == key(order[k + 1])) nextTurn_[order[k]] = order[k + 1];
    readers_.start([this] { readLoop(); });
}

XFileReadAhead::~XFileReadAhead() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    readerWait_.notify_all();
}

XFileReadAhead::Slot XFileReadAhead::read(std::size_t index) const {
    Slot slot;
    try {
        // Each thread reads its files through one buffer, kept unless a file made it large.
        thread_local FileBytes buffer;
        slot.file.emplace(
            XFile::readWhole(*files_.folders[files_.folderOf[index]], files_.names[index], buffer));
        if (buffer.capacity() > keptBufferBytes) buffer = FileBytes();
        slot.bytes = slot.file->heldBytes();
    } catch (const PlatformError& error) {
        slot.file.reset(); // cannot be opened
        if (refusesFile(error)) slot.failure = std::current_exception();
    } catch (...) {
        slot.file.reset();
        slot.failure = std::current_exception();
    }
    slot.ready = true;
    return slot;
}

std::optional<std::size_t> XFileReadAhead::claimNext() {
    while (nextToRead_ < files_.names.size() && slots_[nextToRead_].ready)
        ++nextToRead_;
    if (nextToRead_ >= files_.names.size() || nextToRead_ >= nextToTake_ + window_) return std::nullopt;
    // The file to be taken next is always read, however much waits.
    if (nextToRead_ > nextToTake_ && bytesAhead_ >= windowBytes_) return std::nullopt;
    return nextToRead_++;
}

void XFileReadAhead::store(std::size_t index, Slot slot) {
    const std::size_t turn = nextTurn_[index];
    std::optional<XFile> again =
        turn < files_.names.size() && slot.file ? slot.file->walkAgain() : std::nullopt;
    bool wake = false;
    {
        std::lock_guard lock(mutex_);
        bytesAhead_ += slot.bytes;
        slots_[index] = std::move(slot);
        if (again && turn >= nextToRead_) {
            slots_[turn].file = std::move(again);
            slots_[turn].ready = true;
        }
        wake = takerWaiting_ && index == nextToTake_;
    }
    if (wake) takerWait_.notify_one();
}

void XFileReadAhead::readLoop() {
    for (;;) {
        std::optional<std::size_t> index;
        {
            std::unique_lock lock(mutex_);
            while (!stopping_ && nextToRead_ < files_.names.size() && !(index = claimNext())) {
                ++readersWaiting_;
                readerWait_.wait(lock);
                --readersWaiting_;
            }
            if (!index) return;
        }
        store(*index, read(*index));
    }
}

std::optional<XFile> XFileReadAhead::take() {
    std::unique_lock lock(mutex_);
    const std::size_t index = nextToTake_;
    // Rather than wait for the file a reader is at, read the next ones here.
    while (!slots_[index].ready) {
        if (const std::optional<std::size_t> other = claimNext()) {
            lock.unlock();
            store(*other, read(*other));
            lock.lock();
            continue;
        }
        takerWaiting_ = true;
        takerWait_.wait(lock);
        takerWaiting_ = false;
    }
    Slot slot = std::move(slots_[index]);
    bytesAhead_ -= slot.bytes;
    ++nextToTake_;
    const bool wakeReader = readersWaiting_ > 0;
    lock.unlock();
    if (wakeReader) readerWait_.notify_one();
    if (slot.failure) std::rethrow_exception(slot.failure);
    return std::move(slot.file);
}

} // namespace bw
