// What a repaint of part of the page draws: the index of the shapes' paint extents answers
// exactly what testing every shape answers, and a repaint after any kind of change to a
// shape sees the change.
#include "component/document/PaintIndex.h"
#include "support/DrawingTestSupport.h"

#include <QImage>

#include <cmath>
#include <limits>
#include <random>

namespace {
using TExtent = TPaintIndex::TExtent;

TExtent Extent(double l, double t, double r, double b)
{
    TExtent e;
    e.Valid = true;
    e.Left = l;
    e.Top = t;
    e.Right = r;
    e.Bottom = b;
    e.Width = std::max(0.0, r - l - 6);
    e.Height = std::max(0.0, b - t - 6);
    return e;
}

// A mix of ordinary small extents and every awkward kind: larger than most queries,
// spanning many cells, beyond the cells' range, infinite, not a number, invalid.
std::vector<std::pair<int, TExtent>> MixedExtents(std::mt19937& random, int count)
{
    std::uniform_real_distribution<double> place(-200, 1200), size(0, 40), coin(0, 1);
    const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<std::pair<int, TExtent>> shapes;
    for (int no = 0; no < count; ++no) {
        const double x = place(random), y = place(random), w = size(random), h = size(random);
        TExtent e = Extent(x, y, x + w, y + h);
        const double kind = coin(random);
        if (kind < 0.03)
            e = Extent(x, y, x + 900, y + 15); // wide
        else if (kind < 0.05)
            e.Width = nan;
        else if (kind < 0.07)
            e = Extent(-3e9, y, 3e9, y + 4); // beyond the cells
        else if (kind < 0.08)
            e.Right = inf;
        else if (kind < 0.09)
            e.Top = nan;
        else if (kind < 0.10)
            e.Valid = false;
        else if (kind < 0.11)
            e.Height = 5000; // a tall shape whose box is small
        shapes.emplace_back(no * 2 + 1, e); // numbers need not be contiguous
    }
    return shapes;
}

std::vector<int> BruteForce(const std::vector<std::pair<int, TExtent>>& shapes, const TRect& r)
{
    std::vector<int> out;
    for (const auto& [no, e] : shapes)
        if (e.Touches(r))
            out.push_back(no);
    return out;
}

// Of those, whether each meets r (rather than showing for its size alone).
std::vector<char> BruteForceMeets(const std::vector<std::pair<int, TExtent>>& shapes, const TRect& r)
{
    std::vector<char> out;
    for (const auto& [no, e] : shapes)
        if (e.Touches(r))
            out.push_back(e.Meets(r));
    return out;
}

TEST(PaintIndex, AnswersExactlyWhatTestingEveryShapeAnswers)
{
    std::mt19937 random(5);
    for (int count : {0, 1, 7, 300, 3000}) {
        const auto shapes = MixedExtents(random, count);
        TPaintIndex index;
        index.Build(shapes, {});
        std::uniform_int_distribution<int> corner(-400, 1400), side(0, 300);
        std::vector<int> got;
        std::vector<char> meets;
        for (int q = 0; q < 400; ++q) {
            const int l = corner(random), t = corner(random);
            TRect r(l, t, l + side(random), t + side(random));
            if (q % 50 == 0)
                r = TRect(-1000, -1000, 3000, 3000); // everything
            if (q % 50 == 1)
                r = TRect(5000, 5000, 5000, 5000); // far outside, empty
            index.ShapesIn(r, got, &meets);
            ASSERT_EQ(got, BruteForce(shapes, r)) << "count " << count << " query " << q;
            ASSERT_EQ(meets, BruteForceMeets(shapes, r)) << "count " << count << " query " << q;
        }
    }
}

// A small rectangle over many small shapes finds few: those are gathered and sorted
// rather than marked, and a shape found both in the cells and for its size meets R.
TEST(PaintIndex, SmallQueriesOverManyShapesAnswerAsTestingEveryShape)
{
    std::vector<std::pair<int, TExtent>> shapes;
    for (int i = 0; i < 20000; ++i) {
        const double x = (i % 200) * 10, y = (i / 200) * 10;
        shapes.emplace_back(i, Extent(x, y, x + (i % 2000 == 0 ? 30 : 6), y + 6));
    }
    TPaintIndex index;
    index.Build(shapes, {});
    std::mt19937 random(3);
    std::uniform_int_distribution<int> corner(0, 2000), side(0, 8);
    std::vector<int> got;
    std::vector<char> meets;
    for (int q = 0; q < 300; ++q) {
        const int l = corner(random), t = corner(random) / 2;
        const TRect r(l, t, l + side(random), t + side(random));
        index.ShapesIn(r, got, &meets);
        ASSERT_EQ(got, BruteForce(shapes, r)) << "query " << q;
        ASSERT_EQ(meets, BruteForceMeets(shapes, r)) << "query " << q;
    }
}

TEST(PaintIndex, FindsPatchedShapesAtTheirNewPlacesUntilTooManyMoved)
{
    std::mt19937 random(9);
    auto shapes = MixedExtents(random, 2000);
    TPaintIndex index;
    index.Build(shapes, {});
    std::uniform_int_distribution<size_t> pick(0, shapes.size() - 1);
    std::uniform_int_distribution<int> corner(-400, 1400), side(0, 300);
    const auto fresh = MixedExtents(random, 200);
    std::vector<int> got;
    for (int round = 0; round < 10; ++round) {
        // Touched shapes come back once each, then get their new extents.
        for (int k = 0; k < 20; ++k) {
            auto& [no, extent] = shapes[pick(random)];
            index.Touch(no);
            index.Touch(no);
            extent = fresh[size_t(round * 20 + k)].second;
        }
        index.Touch(-5);
        index.Touch(100000); // not in the index: ignored
        std::vector<int> touched = index.TakeTouched();
        std::sort(touched.begin(), touched.end());
        EXPECT_EQ(std::adjacent_find(touched.begin(), touched.end()), touched.end());
        EXPECT_TRUE(index.TakeTouched().empty());
        for (int no : touched)
            ASSERT_TRUE(index.Patch(no, shapes[size_t(no / 2)].second));
        for (int q = 0; q < 100; ++q) {
            const int l = corner(random), t = corner(random);
            const TRect r(l, t, l + side(random), t + side(random));
            std::vector<char> meets;
            index.ShapesIn(r, got, &meets);
            ASSERT_EQ(got, BruteForce(shapes, r)) << "round " << round << " query " << q;
            ASSERT_EQ(meets, BruteForceMeets(shapes, r)) << "round " << round << " query " << q;
        }
    }
    EXPECT_GT(index.PatchedCount(), 100);
    // Beyond 1024 + 1/16 of the shapes a rebuild is the better way.
    bool stillValid = true;
    for (int no = 1; no < 4000 && stillValid; no += 2)
        stillValid = index.Patch(no, Extent(0, 0, 1, 1));
    EXPECT_FALSE(stillValid);
    EXPECT_FALSE(index.IsCurrent({}));
}

TEST(PaintIndex, AnswersNothingUntilBuiltAndTellsWhetherItIsCurrent)
{
    TPaintIndex index;
    std::vector<int> got{1, 2};
    index.ShapesIn(TRect(0, 0, 10, 10), got);
    EXPECT_TRUE(got.empty());
    const TPaintIndex::TKey key{1, 2, 3, 1.5};
    index.Build({{0, Extent(0, 0, 5, 5)}}, key);
    EXPECT_TRUE(index.IsCurrent(key));
    EXPECT_FALSE(index.IsCurrent({1, 2, 4, 1.5}));
    EXPECT_FALSE(index.IsCurrent({1, 2, 3, 2.0}));
    index.Invalidate();
    EXPECT_FALSE(index.IsCurrent(key));
}

// ---- Repaints after changes ------------------------------------------------------------

const TRect kArea(400, 400, 460, 460);

// A drawing of a hundred small rectangles away from kArea, painted once through kArea so
// that its index is built, and the shape under test far from the area.
struct Scene {
    std::unique_ptr<TMyCAD> cad = std::make_unique<TMyCAD>();
    TMyShape* shape = nullptr;
    Scene(TDrawTool kind = SpRectangle)
    {
        cad->GridOperation()->SetGridType(gNone);
        for (int i = 0; i < 100; ++i)
            AddRect(*cad, float(10 + (i % 10) * 30), float(10 + (i / 10) * 30), float(25 + (i % 10) * 30),
                    float(25 + (i / 10) * 30));
        const TArrMyPoint box = {TMyPoint(20, 600), TMyPoint(40, 600), TMyPoint(40, 620), TMyPoint(20, 620)};
        const int id = kind == SpLine ? cad->AddShapeByCode(cad.get(), SpLine, {}, {box[0], box[2]}, 0, "S")
                                      : cad->AddShapeByCode(cad.get(), kind, {}, box, 0, "S");
        shape = cad->GetShapeByID(id);
        cad->RemoveAllWorkingShapes();
        EXPECT_FALSE(Drawn());
    }
    bool Drawn()
    {
        cad->DrawAll(kArea);
        const TMyShapeNo& drawn = cad->DrawnShapes();
        return std::find(drawn.begin(), drawn.end(), uint32_t(shape->ShapeNo())) != drawn.end();
    }
};

TEST(PaintIndex, RepaintSeesShapesMovedByEveryKindOfChange)
{
    const std::vector<std::pair<const char*, std::function<void(Scene&)>>> changes = {
        {"SetPoint", [](Scene& s) {
             for (int i = 0; i < 4; ++i)
                 s.shape->SetPoint(i, TMyPoint(s.shape->GetPoint(i).X + 400, s.shape->GetPoint(i).Y - 180));
         }},
        {"SetPointX and SetPointY", [](Scene& s) {
             s.shape->SetPointX(2, 430);
             s.shape->SetPointY(2, 430);
         }},
        {"PointAddXY", [](Scene& s) {
             for (int i = 0; i < 4; ++i)
                 s.shape->PointAddXY(i, 400, -180);
         }},
        {"PointsRef", [](Scene& s) {
             for (TMyPoint& p : s.shape->PointsRef())
                 p = TMyPoint(p.X + 400, p.Y - 180);
         }},
        {"DragChangeValuedxdy", [](Scene& s) { s.shape->DragChangeValuedxdy(400, -180); }},
        {"drawing's drag", [](Scene& s) { s.cad->DragChangeValueDxDyforShapes(s.shape, 400, -180); }},
        {"pen width", [](Scene& s) { s.shape->Pen()->SetWidth(500); }},
        {"caption", [](Scene& s) {
             s.shape->SetCaptionPoint(TMyPoint(430, 430));
             s.shape->SetInfo("here");
         }},
        {"caption lines", [](Scene& s) {
             s.shape->SetCaptionPoint(TMyPoint(430, 430));
             s.shape->SetMultiInfo({"one", "two"});
         }},
        {"caption font", [](Scene& s) {
             s.shape->SetInfo("a long caption under the shape");
             s.shape->Font()->SetSize(400);
         }},
        {"zoom", [](Scene& s) { s.cad->SetZoom(20); }},
        {"link point", [](Scene& s) { s.shape->AddLinkPoint(TMyPoint(430, 430)); }},
        {"link point moved", [](Scene& s) {
             s.shape->AddLinkPoint(TMyPoint(30, 610));
             EXPECT_FALSE(s.Drawn());
             s.shape->SetLinkPoint(0, TMyPoint(430, 430));
         }},
    };
    for (const auto& [name, change] : changes) {
        Scene scene;
        change(scene);
        EXPECT_TRUE(scene.Drawn()) << name;
    }
}

TEST(PaintIndex, RepaintSeesArrowHeadsGrowAndShapesLeave)
{
    Scene line(SpLine);
    line.shape->SetPoint(1, TMyPoint(390, 390)); // ends just outside the area
    line.cad->DrawAll(kArea);
    auto* arrow = qobject_cast<TMyLine*>(line.shape);
    ASSERT_NE(arrow, nullptr);
    arrow->SetArrowStyle(ARight);
    arrow->SetArrowLength(250);
    arrow->SetArrowOffset(0);
    EXPECT_TRUE(line.Drawn());

    Scene leaving;
    leaving.shape->DragChangeValuedxdy(400, -180);
    EXPECT_TRUE(leaving.Drawn());
    leaving.shape->DragChangeValuedxdy(-400, 180);
    EXPECT_FALSE(leaving.Drawn());
}

std::vector<const TMyShape*> DrawnIn(TMyCAD& cad, const TRect& area)
{
    cad.DrawAll(area);
    std::vector<const TMyShape*> shapes;
    for (uint32_t no : cad.DrawnShapes())
        shapes.push_back(cad.GetShapeByNo(int(no)));
    return shapes;
}

bool Has(const std::vector<const TMyShape*>& shapes, const TMyShape* s)
{
    return std::find(shapes.begin(), shapes.end(), s) != shapes.end();
}

TEST(PaintIndex, RepaintSeesShapesAddedAndDeleted)
{
    Scene scene;
    TMyCAD& cad = *scene.cad;
    TMyShape* first = AddRect(cad, 420, 420, 440, 440);
    EXPECT_TRUE(Has(DrawnIn(cad, kArea), first));
    // Appended shapes whose points come later, and one appended far away.
    const int id = cad.AddShapeByCode(&cad, SpLine, {}, {TMyPoint(600, 600), TMyPoint(650, 650)}, 0, "L");
    TMyShape* line = cad.GetShapeByID(id);
    TMyShape* far = AddRect(cad, 700, 700, 720, 720);
    auto drawn = DrawnIn(cad, kArea);
    EXPECT_FALSE(Has(drawn, line));
    EXPECT_FALSE(Has(drawn, far));
    line->SetPoint(0, TMyPoint(405, 405));
    drawn = DrawnIn(cad, kArea);
    EXPECT_TRUE(Has(drawn, line));
    EXPECT_TRUE(Has(drawn, first));
    // Drawing order is kept: the earlier shape is listed first.
    EXPECT_LT(std::find(drawn.begin(), drawn.end(), first), std::find(drawn.begin(), drawn.end(), line));

    ASSERT_TRUE(cad.DeleteShapeById(first->GetShapeId(), false));
    drawn = DrawnIn(cad, kArea);
    EXPECT_TRUE(Has(drawn, line));
    EXPECT_EQ(drawn.size(), 1u);
    EXPECT_INVARIANTS(cad);
}

TEST(PaintIndex, PartialRepaintsLeaveTheIndexAndTheShapesAsTheyWere)
{
    Scene scene;
    scene.shape->DragChangeValuedxdy(400, -180);
    const TArrMyPoint before = scene.shape->Points();
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(scene.Drawn());
    EXPECT_EQ(scene.shape->Points(), before);
    // The moved shape shows in the composed picture, at its place relative to the area.
    const QImage image = scene.cad->Buffer()->ToQImage();
    const TMyPoint corner = before[0];
    const int x = int(corner.X) - kArea.Left, y = int(corner.Y) - kArea.Top;
    ASSERT_TRUE(QRect(0, 0, image.width(), image.height()).contains(x, y));
    EXPECT_EQ(FromQColor(QColor(image.pixel(x, y))), clBlack);
}

} // namespace
