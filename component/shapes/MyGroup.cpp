// TMyGroup: a container box; drawing it draws only its caption.
#include "component/shapes/MyGroup.h"

void TMyGroup::Draw(TCanvas* Canvas)
{
    DrawInfo(Canvas);
}
