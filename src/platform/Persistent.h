#pragma once

// The form library's base of objects that take their settings from another
// object. Copying itself is left to Assign: the objects are not copyable.
class TPersistent {
public:
    TPersistent() = default;
    TPersistent(const TPersistent&) = delete;
    TPersistent& operator=(const TPersistent&) = delete;
    virtual ~TPersistent() = default;

    // Takes Source's settings. This base hands the work to Source's AssignTo,
    // so that a source may know how to copy itself into an unrelated kind.
    virtual void Assign(const TPersistent& Source);

protected:
    // Raises EConvertError ("Cannot assign a <source> to a <destination>.").
    virtual void AssignTo(TPersistent& Dest) const;
};
