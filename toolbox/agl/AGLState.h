// Shared state of the agl operations: the error slot and temporary context switches.
#pragma once

#include "tb/agl.h"

namespace tb::agl {

void setError(GLenum code);
// True for a context made by aglCreateContext and not yet destroyed.
bool isLive(AGLContext ctx);

// Makes a context current for the scope of some internal work and puts back
// whatever context (or none) the program had current.
class CurrentFor {
public:
    explicit CurrentFor(AGLContext ctx);
    ~CurrentFor();
    CurrentFor(const CurrentFor&) = delete;
    CurrentFor& operator=(const CurrentFor&) = delete;
    bool ok() const { return ok_; }

private:
    void* display_ = nullptr;
    void* draw_ = nullptr;
    void* read_ = nullptr;
    void* context_ = nullptr;
    bool switched_ = false;
    bool ok_ = false;
};

} // namespace tb::agl
