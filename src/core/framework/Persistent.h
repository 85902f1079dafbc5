#pragma once
// The smallest persistent-object base the section model and the control need:
// a class name and the two-sided copy protocol (Assign asks the source to
// AssignTo the target, and an unhandled pair raises the framework's error).

namespace corvane {

class TFiler;

class TPersistent {
public:
    virtual ~TPersistent() = default;
    virtual const char* ClassName() const = 0;

    // Copies Source into this object; the base accepts nothing.
    virtual void Assign(const TPersistent* Source);

    // The persistence hook: the component streaming calls it after the
    // published properties, so the object can write and read data of its own
    // (TFiler::DefineProperty). The base defines nothing.
    virtual void DefineProperties(TFiler& /*Filer*/) {}

protected:
    virtual void AssignTo(TPersistent* Dest) const;
    // Raises "Cannot assign a <source class or nil> to a <this class>".
    [[noreturn]] void AssignError(const TPersistent* Source) const;
};

} // namespace corvane
