#include "platform/rozuri/PathRegistry.h"

#include <deque>
#include <map>

namespace {

// Never destroyed: threads of the library may still use them at exit.
struct Storage {
    std::map<std::string, const char *> strings;
    std::deque<std::string> stringOwner;
    std::map<std::vector<const char *>, const char *const *> lists;
    std::deque<std::vector<const char *>> listOwner;
};

Storage &storage()
{
    static Storage *s = new Storage;
    return *s;
}

const char *internLocked(Storage &s, const std::string &path)
{
    auto it = s.strings.find(path);
    if (it != s.strings.end())
        return it->second;
    s.stringOwner.push_back(path);
    const char *p = s.stringOwner.back().c_str();
    s.strings.emplace(path, p);
    return p;
}

} // namespace

PathRegistry &PathRegistry::instance()
{
    static PathRegistry *registry = new PathRegistry;
    return *registry;
}

const char *PathRegistry::intern(const std::string &path)
{
    std::lock_guard<std::mutex> lock(mutex_);
    return internLocked(storage(), path);
}

const char *const *PathRegistry::internList(const std::vector<std::string> &paths)
{
    std::lock_guard<std::mutex> lock(mutex_);
    Storage &s = storage();
    std::vector<const char *> list;
    for (const std::string &p : paths)
        list.push_back(internLocked(s, p));
    list.push_back(nullptr);
    auto it = s.lists.find(list);
    if (it != s.lists.end())
        return it->second;
    s.listOwner.push_back(list);
    const char *const *array = s.listOwner.back().data();
    s.lists.emplace(list, array);
    return array;
}
