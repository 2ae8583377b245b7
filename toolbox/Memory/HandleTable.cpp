#include "Memory/HandleTable.h"

#include "Faults/Faults.h"
#include "tb/Memory.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <memory>
#include <new>
#include <unordered_map>

namespace tb::memory {
namespace {

struct Block {
    std::unique_ptr<char[]> data;
    Size size = 0;
    Size capacity = 0;
    UInt8 flags = 0;
};

// Disposed master pointers wait this long before reuse, so a stale handle is refused
// instead of quietly naming someone else's block.
constexpr std::size_t kRetiredBeforeReuse = 4096;

std::unique_ptr<char[]> newBlock(Size capacity) {
    if (capacity < 0 || capacity > kMaxBlockSize) return nullptr;
    return std::unique_ptr<char[]>(new (std::nothrow) char[std::size_t(capacity ? capacity : 1)]());
}

class HandleTable {
  public:
    Handle make(Size size) {
        auto data = newBlock(size);
        if (!data) return nullptr;
        Handle h = takeSlot();
        if (!h) return nullptr;
        *h = data.get();
        Block& b = blocks_[h];
        b.data = std::move(data);
        b.size = size;
        b.capacity = size;
        return h;
    }

    Block* find(Handle h) {
        if (!h) return nullptr;
        auto it = blocks_.find(h);
        return it == blocks_.end() ? nullptr : &it->second;
    }

    void free(Handle h) {
        blocks_.erase(h);
        *h = nullptr;
        retired_.push_back(h);
    }

    bool resize(Handle h, Block& b, Size newSize) {
        if (newSize < 0 || newSize > kMaxBlockSize) return false;
        if (newSize > b.capacity) {
            if (b.flags & kHandleLockedMask) return false;
            // Growth by a half at least, so text that grows by a few bytes at a time
            // does not copy itself on every step.
            Size capacity = std::max(newSize, std::min(kMaxBlockSize, b.capacity + b.capacity / 2));
            auto data = newBlock(capacity);
            if (!data) return false;
            std::memcpy(data.get(), b.data.get(), std::size_t(b.size));
            b.data = std::move(data);
            b.capacity = capacity;
            *h = b.data.get();
        } else if (newSize > b.size) {
            std::memset(b.data.get() + b.size, 0, std::size_t(newSize - b.size));
        }
        b.size = newSize;
        return true;
    }

    Ptr makePtr(Size size) {
        auto data = newBlock(size);
        if (!data) return nullptr;
        Ptr p = data.get();
        ptrs_[p] = {std::move(data), size};
        return p;
    }

    bool freePtr(Ptr p) { return ptrs_.erase(p) != 0; }

    Size ptrSize(Ptr p) const {
        auto it = ptrs_.find(p);
        return it == ptrs_.end() ? -1 : it->second.size;
    }

    DisposeObserver observer = nullptr;

  private:
    Handle takeSlot() {
        if (retired_.size() > kRetiredBeforeReuse) {
            Handle h = retired_.front();
            retired_.pop_front();
            return h;
        }
        try {
            masters_.push_back(nullptr);
        } catch (...) {
            return nullptr;
        }
        return &masters_.back();
    }

    struct PtrBlock {
        std::unique_ptr<char[]> data;
        Size size;
    };

    std::deque<Ptr> masters_; // a deque never moves its elements: handles stay valid
    std::deque<Handle> retired_;
    std::unordered_map<Handle, Block> blocks_;
    std::unordered_map<Ptr, PtrBlock> ptrs_;
};

// Never destroyed: other statics may dispose of handles while the program exits.
HandleTable& table() {
    static HandleTable* t = new HandleTable;
    return *t;
}

OSErr gMemError = noErr;

// The result for an operation on an existing handle; null when there is none.
Block* lookup(Handle h) {
    if (!h) {
        gMemError = nilHandleErr;
        return nullptr;
    }
    Block* b = table().find(h);
    gMemError = b ? noErr : memWZErr;
    return b;
}

} // namespace

Handle allocate(Size size) {
    try {
        return table().make(size);
    } catch (...) {
        return nullptr;
    }
}

bool release(Handle h) {
    Block* b = table().find(h);
    if (!b) return false;
    if ((b->flags & kHandleIsResourceMask) && table().observer) table().observer(h);
    table().free(h);
    return true;
}

bool isHandle(Handle h) { return table().find(h) != nullptr; }

Size sizeOf(Handle h) {
    Block* b = table().find(h);
    return b ? b->size : -1;
}

bool resize(Handle h, Size newSize) {
    Block* b = table().find(h);
    return b && table().resize(h, *b, newSize);
}

void setResourceFlag(Handle h, bool isResource) {
    if (Block* b = table().find(h)) {
        b->flags = isResource ? (b->flags | kHandleIsResourceMask)
                              : (b->flags & ~kHandleIsResourceMask);
    }
}

bool resourceFlag(Handle h) {
    Block* b = table().find(h);
    return b && (b->flags & kHandleIsResourceMask);
}

void setResourceDisposeObserver(DisposeObserver observer) { table().observer = observer; }

// The classic operations live here too, so they share the table and MemError.
namespace {

// An allocation the program asked for: the armed memory fault makes it fail once.
bool faultTaken() { return tb::faults::take(tb::faults::Fault::memory); }

Handle newHandle(Size size) {
    if (size < 0 || faultTaken()) {
        gMemError = memFullErr;
        return nullptr;
    }
    Handle h = allocate(size);
    gMemError = h ? noErr : memFullErr;
    return h;
}

Ptr newPtr(Size size) {
    if (size < 0 || faultTaken()) {
        gMemError = memFullErr;
        return nullptr;
    }
    Ptr p = nullptr;
    try {
        p = table().makePtr(size);
    } catch (...) {
        p = nullptr;
    }
    gMemError = p ? noErr : memFullErr;
    return p;
}

} // namespace
} // namespace tb::memory

using namespace tb::memory;

OSErr MemError() { return gMemError; }

Handle NewHandle(Size byteCount) { return newHandle(byteCount); }
Handle NewHandleClear(Size byteCount) { return newHandle(byteCount); }

void DisposeHandle(Handle h) {
    if (lookup(h)) release(h);
}

Size GetHandleSize(Handle h) {
    Block* b = lookup(h);
    return b ? b->size : 0;
}

void SetHandleSize(Handle h, Size newSize) {
    Block* b = lookup(h);
    if (!b) return;
    if (newSize < 0) {
        gMemError = paramErr;
        return;
    }
    if (newSize > b->size && faultTaken()) {
        gMemError = memFullErr;
        return;
    }
    bool ok = false;
    try {
        ok = table().resize(h, *b, newSize);
    } catch (...) {
        ok = false;
    }
    gMemError = ok ? noErr : memFullErr;
}

namespace {
void setFlag(Handle h, UInt8 mask, bool on) {
    if (Block* b = lookup(h)) b->flags = on ? (b->flags | mask) : (b->flags & ~mask);
}
} // namespace

void HLock(Handle h) { setFlag(h, kHandleLockedMask, true); }
void HUnlock(Handle h) { setFlag(h, kHandleLockedMask, false); }
void HPurge(Handle h) { setFlag(h, kHandlePurgeMask, true); }
void HNoPurge(Handle h) { setFlag(h, kHandlePurgeMask, false); }

SInt8 HGetState(Handle h) {
    Block* b = lookup(h);
    return b ? SInt8(b->flags) : 0;
}

void HSetState(Handle h, SInt8 flags) {
    // The resource bit belongs to the Resource Manager; only locking and purging change.
    constexpr UInt8 settable = kHandleLockedMask | kHandlePurgeMask;
    if (Block* b = lookup(h)) b->flags = UInt8((b->flags & ~settable) | (UInt8(flags) & settable));
}

OSErr PtrToHand(const void* srcPtr, Handle* dstHndl, long size) {
    if (!dstHndl || (!srcPtr && size > 0)) return gMemError = paramErr;
    *dstHndl = nullptr;
    Handle h = newHandle(size);
    if (!h) return gMemError;
    if (size > 0) std::memcpy(*h, srcPtr, std::size_t(size));
    *dstHndl = h;
    return gMemError = noErr;
}

OSErr HandToHand(Handle* theHndl) {
    if (!theHndl) return gMemError = paramErr;
    Block* b = lookup(*theHndl);
    if (!b) return gMemError;
    Handle copy = newHandle(b->size);
    if (!copy) return gMemError;
    // The map is node-based: making the copy leaves the source's record where it was.
    std::memcpy(*copy, b->data.get(), std::size_t(b->size));
    *theHndl = copy;
    return gMemError = noErr;
}

void MoreMasterPointers(UInt32) { gMemError = noErr; }

Ptr NewPtr(Size byteCount) { return newPtr(byteCount); }
Ptr NewPtrClear(Size byteCount) { return newPtr(byteCount); }

void DisposePtr(Ptr p) {
    if (!p) {
        gMemError = nilHandleErr;
        return;
    }
    gMemError = table().freePtr(p) ? noErr : memWZErr;
}

Size GetPtrSize(Ptr p) {
    Size size = p ? table().ptrSize(p) : -1;
    gMemError = size >= 0 ? noErr : (p ? memWZErr : nilHandleErr);
    return size >= 0 ? size : 0;
}

void BlockMove(const void* srcPtr, void* destPtr, Size byteCount) {
    if (byteCount > 0 && srcPtr && destPtr) std::memmove(destPtr, srcPtr, std::size_t(byteCount));
    gMemError = noErr;
}

void BlockMoveData(const void* srcPtr, void* destPtr, Size byteCount) {
    BlockMove(srcPtr, destPtr, byteCount);
}
