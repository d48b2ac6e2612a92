#include "model/Project.h"

#include "model/ChangeLog.h"
#include "model/Texts.h"

#include <algorithm>
#include <stdexcept>

namespace hakoniwa {

// A scene put in (or, with `inserted` false, taken out) with the active index before and
// after; the step owns the scene while it is out of the project.
class ScenePlaceStep : public ChangeLog::Step {
public:
    ScenePlaceStep(Project& project, int index, bool inserted, std::unique_ptr<Scene> out,
                   int activeBefore, int activeAfter)
        : project_(project), index_(index), inserted_(inserted), out_(std::move(out)),
          activeBefore_(activeBefore), activeAfter_(activeAfter) {}
    void undo() override {
        inserted_ ? takeOut() : putIn();
        project_.active_ = activeBefore_;
    }
    void redo() override {
        inserted_ ? putIn() : takeOut();
        project_.active_ = activeAfter_;
    }

private:
    void putIn() { project_.scenes_.insert(project_.scenes_.begin() + index_, std::move(out_)); }
    void takeOut() {
        out_ = std::move(project_.scenes_[index_]);
        project_.scenes_.erase(project_.scenes_.begin() + index_);
        project_.active_ = std::min(project_.active_, project_.sceneCount() - 1);
    }

    Project& project_;
    int index_;
    bool inserted_;
    std::unique_ptr<Scene> out_;
    int activeBefore_, activeAfter_;
};

int Project::indexOf(const Scene* scene) const {
    for (int i = 0; i < sceneCount(); ++i)
        if (scenes_[i].get() == scene)
            return i;
    return -1;
}

std::string Project::nextSceneCaption() const {
    if (scenes_.empty())
        return texts::kMain;
    // A renamed scene may already carry the usual name; two scenes of one name could not be
    // told apart in the target lists, so the number goes up to the first free name.
    for (int number = sceneCount();; ++number) {
        std::string caption = "Page" + std::to_string(number);
        const bool taken = std::any_of(scenes_.begin(), scenes_.end(), [&](const auto& scene) {
            return scene->caption == caption;
        });
        if (!taken)
            return caption;
    }
}

Scene& Project::addScene() {
    auto scene = std::make_unique<Scene>();
    scene->caption = nextSceneCaption();
    scene->nodeText = scene->caption + "tv";
    scenes_.push_back(std::move(scene));
    const int activeBefore = active_;
    if (active_ < 0)
        active_ = 0;
    if (ChangeLog::recording())
        ChangeLog::record(std::make_unique<ScenePlaceStep>(*this, sceneCount() - 1, true, nullptr,
                                                           activeBefore, active_));
    return *scenes_.back();
}

void Project::deleteScene(int index) {
    if (index < 0 || index >= sceneCount())
        throw std::out_of_range("no scene with tab index " + std::to_string(index));
    const int activeBefore = active_;
    std::unique_ptr<Scene> scene = std::move(scenes_[index]);
    scenes_.erase(scenes_.begin() + index);
    if (active_ > index || (active_ == index && index > 0))
        --active_;
    if (active_ >= sceneCount())
        active_ = sceneCount() - 1;
    if (ChangeLog::recording())
        ChangeLog::record(std::make_unique<ScenePlaceStep>(*this, index, false, std::move(scene),
                                                           activeBefore, active_));
}

void Project::clear() {
    scenes_.clear();
    active_ = -1;
}

void Project::setActiveIndex(int index) {
    if (index < -1 || index >= sceneCount())
        throw std::out_of_range("no scene with tab index " + std::to_string(index));
    // Within a recorded action (a duplicate moving to its copy) the move is part of the
    // change; a tab chosen by the user is not.
    ChangeLog::assign(active_, index);
}

Scene* Project::sceneOf(const Item* item) {
    for (auto& scene : scenes_)
        if (scene->indexOf(item) >= 0)
            return scene.get();
    return nullptr;
}

} // namespace hakoniwa
