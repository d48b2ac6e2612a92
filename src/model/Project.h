#pragma once

#include "model/Scene.h"

#include <memory>
#include <vector>

// The whole project: the ordered scenes and which of them is active. Scenes are only
// appended or all removed together, so tab index and scene index always agree.
namespace hakoniwa {

class Project {
public:
    int sceneCount() const { return static_cast<int>(scenes_.size()); }
    Scene& scene(int index) { return *scenes_.at(index); }
    const Scene& scene(int index) const { return *scenes_.at(index); }
    int indexOf(const Scene* scene) const;

    // The caption the next added scene gets: "メイン" first, then "Page" + scene count, or
    // the next higher number when a scene already has that name.
    std::string nextSceneCaption() const;
    // Appends a scene; the first scene of an empty project becomes the active one. Recorded in
    // a recording change log.
    Scene& addScene();
    // Removes the scene at `index`; a later active scene moves up with it, and a removed
    // active scene passes the activity to the one before it. A recording change log keeps the
    // scene, so that undo puts the same scene back. Throws std::out_of_range when there is no
    // such scene.
    void deleteScene(int index);
    // Removes every scene; nothing is active afterwards.
    void clear();

    int activeIndex() const { return active_; }
    void setActiveIndex(int index);
    Scene* activeScene() { return active_ >= 0 ? scenes_[active_].get() : nullptr; }
    const Scene* activeScene() const { return active_ >= 0 ? scenes_[active_].get() : nullptr; }

    // The scene that holds the item, or nullptr.
    Scene* sceneOf(const Item* item);

private:
    friend class ScenePlaceStep;
    std::vector<std::unique_ptr<Scene>> scenes_;
    int active_ = -1;
};

} // namespace hakoniwa
