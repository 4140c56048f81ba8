#pragma once
// Named images, sounds and fonts loaded by group from resource entries. The application makes
// one in its constructor and deletes it in its destructor; nothing adds entries yet, so it
// holds nothing.

namespace Vuro {

class VuroAppBase;

class ResourceManager {
public:
    explicit ResourceManager(VuroAppBase* app) : mApp(app) {}
    virtual ~ResourceManager() = default;
    ResourceManager(const ResourceManager&) = delete;
    ResourceManager& operator=(const ResourceManager&) = delete;

    VuroAppBase* mApp; // not owned
};

} // namespace Vuro
