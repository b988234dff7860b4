// The form reader against small test classes: every property kind, nesting,
// events by method name, references fixed up, and errors that say where.
#include "framework/colors.h"
#include "framework/form_reader.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> g_loadedOrder;
int g_liveThings = 0;

class TThingFont : public TPersistent {
    DECLARE_CLASS_INFO
public:
    std::string name = "Sans";
    int size = 8;
    unsigned style = 0;
    void SetName(const std::string& v) { name = v; }
    std::string GetName() const { return name; }
    void SetSize(int v) { size = v; }
    int GetSize() const { return size; }
    void SetStyle(unsigned v) { style = v; }
    unsigned GetStyle() const { return style; }
};

const NameList kStyles = {"fsBold", "fsItalic", "fsUnderline"};
const NameList kShapes = {"shCircle", "shSquare", "shTriangle"};

const ClassInfo& TThingFont::StaticClass() {
    static const ClassInfo info = ClassBuilder<TThingFont>("TThingFont", &TPersistent::StaticClass())
                                      .String("Name", &TThingFont::SetName, &TThingFont::GetName)
                                      .Integer("Size", &TThingFont::SetSize, &TThingFont::GetSize)
                                      .Set("Style", kStyles, &TThingFont::SetStyle, &TThingFont::GetStyle)
                                      .Build();
    return info;
}

// A component with one property of every kind; a TThing can hold other things.
class TThing : public TComponent {
    DECLARE_CLASS_INFO
public:
    explicit TThing(TComponent* owner) : TComponent(owner) { ++g_liveThings; }
    ~TThing() override { --g_liveThings; }

    int count = 0;
    bool active = false;
    std::string caption;
    TColor color = clBlack;
    int shape = 0;
    unsigned options = 0;
    TStrings items;
    TThingFont font;
    TThing* buddy = nullptr;
    TThing* parent = nullptr;
    std::vector<std::uint8_t> data;
    std::function<void(TObject*)> OnPoke;

    void SetCount(int v) { count = v; }
    int GetCount() const { return count; }
    void SetActive(bool v) { active = v; }
    bool GetActive() const { return active; }
    void SetCaption(const std::string& v) { caption = v; }
    std::string GetCaption() const { return caption; }
    void SetColor(TColor v) { color = v; }
    TColor GetColor() const { return color; }
    void SetShape(int v) { shape = v; }
    int GetShape() const { return shape; }
    void SetOptions(unsigned v) { options = v; }
    unsigned GetOptions() const { return options; }
    TStrings& Items() { return items; }
    TThingFont& Font() { return font; }
    void SetBuddy(TThing* v) { buddy = v; }

    void Loaded() override {
        TComponent::Loaded();
        g_loadedOrder.push_back(Name());
    }
    bool CanHoldChild(const TComponent& child) const override { return dynamic_cast<const TThing*>(&child); }
    void SetParentComponent(TComponent* p) override { parent = dynamic_cast<TThing*>(p); }
};

const ClassInfo& TThing::StaticClass() {
    static const ClassInfo info = ClassBuilder<TThing>("TThing", &TComponent::StaticClass())
                                      .Integer("Count", &TThing::SetCount, &TThing::GetCount)
                                      .Boolean("Active", &TThing::SetActive, &TThing::GetActive)
                                      .String("Caption", &TThing::SetCaption, &TThing::GetCaption)
                                      .Color("Color", &TThing::SetColor, &TThing::GetColor)
                                      .Enumeration("Shape", kShapes, &TThing::SetShape, &TThing::GetShape)
                                      .Set("Options", kStyles, &TThing::SetOptions, &TThing::GetOptions)
                                      .Strings("Items", &TThing::Items)
                                      .Object("Font", &TThing::Font)
                                      .Reference("Buddy", &TThing::SetBuddy)
                                      .Event("OnPoke", &TThing::OnPoke)
                                      .Custom("Data", [](TThing& t, const PropValue& v) { t.data = v.bytes; })
                                      .Build();
    return info;
}

class TTestRoot : public TThing {
public:
    explicit TTestRoot(TComponent* owner = nullptr) : TThing(owner) {
        PublishMethod("RootPoke", &TTestRoot::RootPoke);
        PublishMethod("KeyHandler", &TTestRoot::KeyHandler);
        PublishField("Outer", outer);
    }
    void RootPoke(TObject* sender) { poked = sender; }
    void KeyHandler(TObject*, int&) {}
    TObject* poked = nullptr;
    TThing* outer = nullptr;
};

class FormReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterComponentClass(TThing::StaticClass());
        g_loadedOrder.clear();
    }
};

const char* const kFullDescription = R"(object Root: TTestRoot
  Caption = 'Pagina'
  object Outer: TThing
    Count = -12
    Active = True
    Caption = 'Linia 1'#13#10'Linia ''2'''#9 +
      ' continuare'
    Color = $00C8D0D4
    Shape = shSquare
    Options = [fsBold, fsUnderline]
    Items = (
      ' &LOCAL'
      'doi'#252)
    Font.Name = 'MS Sans Serif'
    Font.Style = [fsItalic]
    Buddy = Inner
    OnPoke = RootPoke
    Data = {424D 0102}
    object Inner: TThing
      Color = clBtnShadow
      Count = $7F
    end
  end
end
)";

TEST_F(FormReaderTest, NestedDescriptionBuildsTheTreeWithEveryPropertyKind) {
    TTestRoot root;
    ReadComponent(root, kFullDescription, "TEST");

    EXPECT_EQ(root.caption, "Pagina");
    ASSERT_EQ(root.ComponentCount(), 2);  // both nested objects belong to the root
    auto* outer = root.FindChild<TThing>("outer");
    auto* inner = root.FindChild<TThing>("Inner");
    ASSERT_TRUE(outer && inner);
    EXPECT_EQ(root.outer, outer) << "published field bound";
    EXPECT_EQ(outer->parent, &root);
    EXPECT_EQ(inner->parent, outer);

    EXPECT_EQ(outer->count, -12);
    EXPECT_TRUE(outer->active);
    EXPECT_EQ(outer->caption, "Linia 1\r\nLinia '2'\t continuare");
    EXPECT_EQ(outer->color, 0x00C8D0D4);
    EXPECT_EQ(outer->shape, 1);
    EXPECT_EQ(outer->options, 0b101u);
    ASSERT_EQ(outer->items.Count(), 2);
    EXPECT_EQ(outer->items[0], " &LOCAL");
    EXPECT_EQ(outer->items[1], "doi\xFC");
    EXPECT_EQ(outer->font.name, "MS Sans Serif");
    EXPECT_EQ(outer->font.style, 0b010u);
    EXPECT_EQ(outer->buddy, inner) << "reference to an object described later";
    EXPECT_EQ(outer->data, (std::vector<std::uint8_t>{0x42, 0x4D, 0x01, 0x02}));
    EXPECT_EQ(inner->color, clBtnShadow);
    EXPECT_EQ(inner->count, 0x7F);

    ASSERT_TRUE(outer->OnPoke);
    outer->OnPoke(outer);
    EXPECT_EQ(root.poked, outer);

    EXPECT_EQ(g_loadedOrder, (std::vector<std::string>{"Root", "Outer", "Inner"}));
    EXPECT_FALSE(outer->IsLoading());
}

TEST_F(FormReaderTest, NamesAreMatchedWithoutRegardToCase) {
    TTestRoot root;
    ReadComponent(root,
                  "OBJECT root: TTESTROOT\n object outer: tthing\n FONT.style = [FSBOLD]\n"
                  " onpoke = rootpoke\n shape = SHTRIANGLE\n active = false\n END\nEnd",
                  "CASE");
    EXPECT_EQ(root.outer->font.style, 1u);
    EXPECT_EQ(root.outer->shape, 2);
}

struct BadDescription {
    const char* text;
    int line;
    const char* mentions;
};

TEST_F(FormReaderTest, ErrorsNameTheDescriptionTheLineAndTheName) {
    const BadDescription cases[] = {
        {"object R: TTestRoot\n object Outer: TNoSuch\n end\nend", 2, "TNoSuch"},
        {"object R: TTestRoot\n object Outer: TThing\n  Colour = 1\n end\nend", 3, "Colour"},
        {"object R: TTestRoot\n object Outer: TThing\n  OnPoke = BNxtClick\n end\nend", 3, "BNxtClick"},
        {"object R: TTestRoot\n object Outer: TThing\n  OnPoke = KeyHandler\n end\nend", 3, "KeyHandler"},
        {"object R: TTestRoot\n object Outer: TThing\n\n  Shape = shOval\n end\nend", 4, "shOval"},
        {"object R: TTestRoot\n object Outer: TThing\n  Buddy = Nobody\n end\nend", 3, "Nobody"},
        {"object R: TTestRoot\n object Outer: TThing\n  Count = 'x'\n end\nend", 3, "Count"},
        {"object R: TTestRoot\n object Outer: TThing\n  Font.Weight = 3\n end\nend", 3, "Weight"},
        {"object R: TTestRoot\n object Outer: TThing\n  Color = clPink\n end\nend", 3, "clPink"},
        {"object R: TTestRoot\n object Outer: TThing\n  Caption = 'open\n end\nend", 3, "sir neterminat"},
        {"object R: TTestRoot\n object Outer: TThing\n end\n object Outer: TThing\n end\nend", 4, "Outer"},
        {"object R: TTestRoot\n object Outer: TThing\n  Count = 1\n", 4, "end"},
        {"object R: TTestRoot\nend", 1, "Outer"},  // the published field has no component
    };
    for (const auto& c : cases) {
        TTestRoot root;
        try {
            ReadComponent(root, c.text, "PAGINA");
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const EFormError& e) {
            std::string what = e.what();
            EXPECT_EQ(e.Line(), c.line) << what;
            EXPECT_NE(what.find("PAGINA"), std::string::npos) << what;
            EXPECT_NE(what.find(c.mentions), std::string::npos) << what;
        }
    }
}

TEST_F(FormReaderTest, HalfBuiltObjectIsFreedWithWhatItHolds) {
    int before = g_liveThings;
    {
        TTestRoot root;
        EXPECT_THROW(ReadComponent(root,
                                   "object R: TTestRoot\n object Outer: TThing\n  object A: TThing\n  end\n"
                                   "  object B: TThing\n   Count = True\n  end\n end\nend",
                                   "HALF"),
                     EFormError);
        EXPECT_EQ(root.ComponentCount(), 0);
        EXPECT_EQ(g_liveThings, before + 1);  // only the root is left
    }
    EXPECT_EQ(g_liveThings, before);
}

TEST(StringsTest, TextRoundTripsThroughLineBreaksOfEitherKind) {
    TStrings s;
    int changes = 0;
    s.OnChange = [&] { ++changes; };
    s.SetText("unu\r\ndoi\ntrei");
    ASSERT_EQ(s.Count(), 3);
    EXPECT_EQ(s[2], "trei");
    EXPECT_EQ(s.Text(), "unu\r\ndoi\r\ntrei\r\n");
    EXPECT_EQ(s.IndexOf("DOI"), 1);
    EXPECT_EQ(changes, 1);
}

}  // namespace
