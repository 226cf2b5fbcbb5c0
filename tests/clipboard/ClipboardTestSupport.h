#pragma once
// Helpers of the clipboard and block tests: a system clipboard that records what is
// placed on it, small drawings with a group and a connector, and block files.
#include "files/FilesTestSupport.h"
#include "support/DrawingTestSupport.h"
#include "support/RecordingUIServices.h"
#include "component/CAD.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

// Records every placement; can refuse them and can hold a picture "of another program".
class TRecordingClipboard : public TClipboardServices {
public:
    bool SetContent(const TClipboardContent& Content) override
    {
        Placed.push_back(Content);
        if (!Accept)
            return false;
        Held = Content;
        return true;
    }
    QImage Picture() const override { return Held.Bitmap; }

    std::vector<TClipboardContent> Placed;
    TClipboardContent Held;
    bool Accept = true;
};

// A test with a recording clipboard installed.
class ClipboardTest : public ::testing::Test {
protected:
    TRecordingClipboard clipboard;
    TScopedClipboardServices scope{clipboard};
};

// The rectangles A (10,10)-(60,40) and B (110,10)-(160,40) grouped into one group, a
// third rectangle C (10,110)-(60,140), and a connector from A's bottom link point to C's
// top one; nothing selected. Shape numbers: A 0, B 1, C 2, the connector 3, the group 4.
struct TSampleDrawing {
    TMyShape* Group = nullptr;
    TMyShape* A = nullptr;
    TMyShape* B = nullptr;
    TMyShape* C = nullptr;
    TMyLinkLine* Link = nullptr;
};
TSampleDrawing BuildSample(TMyCAD& cad);

// The root shapes of the drawing in drawing order.
TArrMyShape Roots(const TMyCAD& cad);
