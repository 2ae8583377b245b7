#include "tb/Resources.h"

#include "Memory/HandleTable.h"
#include "Resources/ResError.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>

namespace {

using Key = std::pair<ResType, SInt16>;

struct Entry {
    tb::res::Bytes data;
    std::string name; // MacRoman, at most 255 characters
    Handle loaded = nullptr;
};

class ResourceMap {
  public:
    ResourceMap() { tb::memory::setResourceDisposeObserver(&ResourceMap::handleDisposed); }

    static ResourceMap& get() {
        // Never destroyed: handles may be released while the program exits.
        static ResourceMap* map = new ResourceMap;
        return *map;
    }

    void put(Key key, tb::res::Bytes data, const char* name) {
        Entry& e = entries_[key];
        detach(e);
        e.data = std::move(data);
        e.name = name ? std::string(name, strnlen(name, 255)) : std::string();
    }

    bool remove(Key key) {
        auto it = entries_.find(key);
        if (it == entries_.end()) return false;
        detach(it->second);
        entries_.erase(it);
        return true;
    }

    void clear() {
        for (auto& [key, e] : entries_) detach(e);
        entries_.clear();
    }

    Entry* find(Key key) {
        auto it = entries_.find(key);
        return it == entries_.end() ? nullptr : &it->second;
    }

    const Key* findNamed(ResType type, std::string_view name) const {
        for (const auto& [key, e] : entries_)
            if (key.first == type && e.name == name) return &key;
        return nullptr;
    }

    // The handle of a resource, made on first use.
    Handle load(Key key, OSErr& err) {
        Entry* e = find(key);
        if (!e) {
            err = resNotFound;
            return nullptr;
        }
        if (!e->loaded) {
            Handle h = tb::memory::allocate(Size(e->data.size()));
            if (!h) {
                err = memFullErr;
                return nullptr;
            }
            if (!e->data.empty()) std::memcpy(*h, e->data.data(), e->data.size());
            tb::memory::setResourceFlag(h, true);
            e->loaded = h;
            byHandle_[h] = key;
        }
        err = noErr;
        return e->loaded;
    }

    const Key* keyOf(Handle h) const {
        if (!h) return nullptr;
        auto it = byHandle_.find(h);
        return it == byHandle_.end() ? nullptr : &it->second;
    }

    // Forgets the handle; the caller decides whether it is freed.
    void forget(Handle h) {
        auto it = byHandle_.find(h);
        if (it == byHandle_.end()) return;
        if (Entry* e = find(it->second)) e->loaded = nullptr;
        byHandle_.erase(it);
        tb::memory::setResourceFlag(h, false);
    }

    SInt16 count(ResType type) const {
        int n = 0;
        for (const auto& entry : entries_)
            if (entry.first.first == type) ++n;
        return SInt16(std::min(n, 0x7FFF));
    }

  private:
    static void handleDisposed(Handle h) { get().forget(h); }

    void detach(Entry& e) {
        if (e.loaded) forget(e.loaded);
    }

    std::map<Key, Entry> entries_;
    std::unordered_map<Handle, Key> byHandle_;
};

OSErr gResError = noErr;

Handle getNamed(ResType type, ConstStr255Param name) {
    if (!name) {
        gResError = resNotFound;
        return nullptr;
    }
    std::string_view text(reinterpret_cast<const char*>(name + 1), name[0]);
    const Key* key = ResourceMap::get().findNamed(type, text);
    if (!key) {
        gResError = resNotFound;
        return nullptr;
    }
    return ResourceMap::get().load(*key, gResError);
}

} // namespace

Handle GetResource(ResType theType, SInt16 theID) {
    return ResourceMap::get().load({theType, theID}, gResError);
}

Handle Get1Resource(ResType theType, SInt16 theID) { return GetResource(theType, theID); }

Handle GetNamedResource(ResType theType, ConstStr255Param name) { return getNamed(theType, name); }

Handle Get1NamedResource(ResType theType, ConstStr255Param name) {
    return getNamed(theType, name);
}

void LoadResource(Handle theResource) {
    gResError = ResourceMap::get().keyOf(theResource) ? noErr : resNotFound;
}

void ReleaseResource(Handle theResource) {
    ResourceMap& map = ResourceMap::get();
    if (!map.keyOf(theResource)) {
        gResError = resNotFound;
        return;
    }
    map.forget(theResource);
    tb::memory::release(theResource);
    gResError = noErr;
}

void DetachResource(Handle theResource) {
    ResourceMap& map = ResourceMap::get();
    if (!map.keyOf(theResource)) {
        gResError = resNotFound;
        return;
    }
    map.forget(theResource);
    gResError = noErr;
}

void GetResInfo(Handle theResource, SInt16* theID, ResType* theType, Str255 name) {
    ResourceMap& map = ResourceMap::get();
    const Key* key = map.keyOf(theResource);
    if (!key) {
        gResError = resNotFound;
        return;
    }
    if (theID) *theID = key->second;
    if (theType) *theType = key->first;
    if (name) tb::stringToPascal(map.find(*key)->name, name);
    gResError = noErr;
}

SInt16 CountResources(ResType theType) {
    gResError = noErr;
    return ResourceMap::get().count(theType);
}

SInt16 Count1Resources(ResType theType) { return CountResources(theType); }

OSErr ResError() { return gResError; }

void tb::resources::setResError(OSErr err) { gResError = err; }

namespace tb {

void registerResource(ResType type, SInt16 id, const void* data, std::size_t size,
                      const char* name) {
    auto* p = static_cast<const unsigned char*>(data);
    ResourceMap::get().put({type, id}, p ? res::Bytes(p, p + size) : res::Bytes(), name);
}

void registerResource(ResType type, SInt16 id, const res::Bytes& data, const char* name) {
    ResourceMap::get().put({type, id}, data, name);
}

bool unregisterResource(ResType type, SInt16 id) { return ResourceMap::get().remove({type, id}); }

void clearResources() { ResourceMap::get().clear(); }

const res::Bytes* findResourceData(ResType type, SInt16 id) {
    Entry* e = ResourceMap::get().find({type, id});
    return e ? &e->data : nullptr;
}

} // namespace tb
