#pragma once
// A bound change handler: a function plus the object it is bound to, taking
// the section that reports. Comparable, so an index can hand back exactly the
// handler it found.

namespace corvane {

class THeaderColumns;

class TChangeHandler {
public:
    using Function = void (*)(void* target, THeaderColumns* section);

    TChangeHandler() = default;
    TChangeHandler(Function function, void* target) : function_(function), target_(target) {}

    // Binds a member function: TChangeHandler::Bind<TLevels, &TLevels::Rebuild>(levels).
    template <class T, void (T::*Method)(THeaderColumns*)> static TChangeHandler Bind(T* object) {
        return TChangeHandler(
            [](void* target, THeaderColumns* section) {
                (static_cast<T*>(target)->*Method)(section);
            },
            object);
    }

    void* Target() const { return target_; }
    explicit operator bool() const { return function_ != nullptr; }
    void operator()(THeaderColumns* section) const { function_(target_, section); }
    bool operator==(const TChangeHandler& other) const {
        return function_ == other.function_ && target_ == other.target_;
    }
    bool operator!=(const TChangeHandler& other) const { return !(*this == other); }

private:
    Function function_ = nullptr;
    void* target_ = nullptr;
};

} // namespace corvane
