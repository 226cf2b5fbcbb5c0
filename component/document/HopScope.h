#pragma once
// TMyCAD::THopScope: hops for what is drawn outside the paint pass.
#include "component/document/MyCAD.h"

// While one lives, the connectors drawn hop over the connectors among Roots, as those of a
// paint pass hop over the pass's listed shapes: a printed page, its preview, an SVG page
// and a copied picture show the hops the screen shows. The roots' connectors are tidied
// first, as the pass tidies them.
class TMyCAD::THopScope {
public:
    THopScope(TMyCAD& CAD, const std::vector<TMyShape*>& Roots);
    ~THopScope();
    THopScope(const THopScope&) = delete;
    THopScope& operator=(const THopScope&) = delete;

private:
    TMyCAD& FCAD;
    bool FWasInPass;
    std::vector<const TMyShape*> FSavedRoots;
    double FSavedLow, FSavedHigh;
};
