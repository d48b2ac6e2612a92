#include "model/Project.h"

#include "model/Texts.h"

#include <stdexcept>

namespace hakoniwa {

int Project::indexOf(const Scene* scene) const {
    for (int i = 0; i < sceneCount(); ++i)
        if (scenes_[i].get() == scene)
            return i;
    return -1;
}

std::string Project::nextSceneCaption() const {
    return scenes_.empty() ? texts::kMain : "Page" + std::to_string(sceneCount());
}

Scene& Project::addScene() {
    auto scene = std::make_unique<Scene>();
    scene->caption = nextSceneCaption();
    scene->nodeText = scene->caption + "tv";
    scenes_.push_back(std::move(scene));
    if (active_ < 0)
        active_ = 0;
    return *scenes_.back();
}

void Project::clear() {
    scenes_.clear();
    active_ = -1;
}

void Project::setActiveIndex(int index) {
    if (index < -1 || index >= sceneCount())
        throw std::out_of_range("no scene with tab index " + std::to_string(index));
    active_ = index;
}

Scene* Project::sceneOf(const Item* item) {
    for (auto& scene : scenes_)
        if (scene->indexOf(item) >= 0)
            return scene.get();
    return nullptr;
}

} // namespace hakoniwa
