// The resources of the built bendpost.dll: its string table equals the
// portable one entry by entry, and its dialog template 12957 has the layout
// the operator is meant to see. The DLL is loaded like a host loads it.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "resources/dialog_ids.h"
#include "resources/strings.h"

namespace bendpost {
namespace {

struct TableEntry {
  int id;
  const char* text;
};
constexpr TableEntry kTable[] = {
#define BENDPOST_STRING(id, name, text) {id, text},
#include "resources/string_table.inc"
#undef BENDPOST_STRING
};

std::string WindowsPath(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  // A Unix path of the build folder, as seen from Wine's drive Z:.
  if (!path.empty() && path[0] == '\\') path = "Z:" + path;
  return path;
}

class DllResourcesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dll_ = LoadLibraryA(WindowsPath(BENDPOST_DLL_PATH).c_str());
  }
  static void TearDownTestSuite() {
    if (dll_ != nullptr) FreeLibrary(dll_);
    dll_ = nullptr;
  }
  void SetUp() override {
    ASSERT_NE(nullptr, dll_)
        << "cannot load " << BENDPOST_DLL_PATH << ", error " << GetLastError();
  }
  static HMODULE dll_;
};
HMODULE DllResourcesTest::dll_ = nullptr;

TEST_F(DllResourcesTest, EveryStringOfTheTableIsInTheDllWithTheSameText) {
  ASSERT_GE(std::size(kTable), 15u);
  for (const TableEntry& e : kTable) {
    char buf[512] = {};
    int n = LoadStringA(dll_, static_cast<UINT>(e.id), buf, sizeof buf);
    EXPECT_EQ(std::string(e.text), std::string(buf, std::max(n, 0)))
        << "string " << e.id;
    EXPECT_EQ(LoadString(e.id), std::string(buf, std::max(n, 0)));
  }
  char buf[64] = {};
  EXPECT_EQ(0, LoadStringA(dll_, 51007, buf, sizeof buf));  // not in the table
}

TEST_F(DllResourcesTest, TextsWithPercentSignsAndPunctuationAreKeptAsTheyAre) {
  char buf[512] = {};
  LoadStringA(dll_, strings::kBendWarningHeading, buf, sizeof buf);
  EXPECT_STREQ("Please note: [for step number: %d]", buf);
  LoadStringA(dll_, strings::kProgramFailed, buf, sizeof buf);
  EXPECT_STREQ("program created failed !", buf);
}

// What the dialog showed when it opened.
struct Control {
  int id;
  std::string class_name;
  std::string text;
  LONG style;
  RECT rect;  // client coordinates of the dialog
};
struct Layout {
  std::string caption;
  RECT client{};
  RECT expected_client{0, 0, 322, 202};  // mapped to pixels
  LOGFONTA font{};
  int font_height_8pt = 0;
  std::vector<Control> controls;
};

BOOL CALLBACK CollectControl(HWND child, LPARAM param) {
  auto* layout = reinterpret_cast<Layout*>(param);
  Control c;
  c.id = GetDlgCtrlID(child);
  char buf[256] = {};
  GetClassNameA(child, buf, sizeof buf);
  c.class_name = buf;
  GetWindowTextA(child, buf, sizeof buf);
  c.text = buf;
  c.style = GetWindowLongA(child, GWL_STYLE);
  GetWindowRect(child, &c.rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&c.rect),
                  2);
  layout->controls.push_back(c);
  return TRUE;
}

INT_PTR CALLBACK InspectAndClose(HWND dialog, UINT message, WPARAM,
                                 LPARAM lparam) {
  if (message != WM_INITDIALOG) return FALSE;
  auto* layout = reinterpret_cast<Layout*>(lparam);
  char caption[256] = {};
  GetWindowTextA(dialog, caption, sizeof caption);
  layout->caption = caption;
  GetClientRect(dialog, &layout->client);
  MapDialogRect(dialog, &layout->expected_client);
  auto font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
  GetObjectA(font, sizeof layout->font, &layout->font);
  HDC dc = GetDC(dialog);
  layout->font_height_8pt = -MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72);
  ReleaseDC(dialog, dc);
  EnumChildWindows(dialog, CollectControl, lparam);
  // The dialog closes itself, as a host's would on "Create...".
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  return TRUE;
}

INT_PTR CALLBACK CloseOnOk(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  if (message == WM_COMMAND && LOWORD(wparam) == IDOK) {
    EndDialog(dialog, IDOK);
    return TRUE;
  }
  return message == WM_INITDIALOG;
}

class ProgramDialogTemplateTest : public DllResourcesTest {
 protected:
  void SetUp() override {
    DllResourcesTest::SetUp();
    INT_PTR r =
        DialogBoxParamA(dll_, MAKEINTRESOURCEA(IDD_PROGRAM_DIALOG), nullptr,
                        CombinedProc, reinterpret_cast<LPARAM>(&layout_));
    ASSERT_EQ(IDOK, r) << "error " << GetLastError();
  }
  static INT_PTR CALLBACK CombinedProc(HWND d, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_INITDIALOG) return InspectAndClose(d, m, w, l);
    return CloseOnOk(d, m, w, l);
  }
  const Control* Find(int id) const {
    for (const Control& c : layout_.controls)
      if (c.id == id) return &c;
    return nullptr;
  }
  std::multiset<std::string> Texts(const char* class_name) const {
    std::multiset<std::string> texts;
    for (const Control& c : layout_.controls)
      if (lstrcmpiA(c.class_name.c_str(), class_name) == 0)
        texts.insert(c.text);
    return texts;
  }
  Layout layout_;
};

TEST_F(ProgramDialogTemplateTest, WindowHasTheTitleSizeAndFont) {
  EXPECT_EQ("Postprocessor Program Creation Dialog:", layout_.caption);
  EXPECT_EQ(layout_.expected_client.right, layout_.client.right);
  EXPECT_EQ(layout_.expected_client.bottom, layout_.client.bottom);
  EXPECT_STREQ("MS Sans Serif", layout_.font.lfFaceName);
  EXPECT_EQ(layout_.font_height_8pt, layout_.font.lfHeight);
}

TEST_F(ProgramDialogTemplateTest, ReadOnlyAndEditableFieldsAreEditControls) {
  const int read_only[] = {
      IDC_SETUP_NAME,       IDC_CONTROL_TYPE_NAME, IDC_MACHINE_MODEL,
      IDC_FILE_NAME,        IDC_TOTAL_STEPS,       IDC_CREATION_DATE,
      IDC_HEADER_THICKNESS, IDC_MATERIAL_NAME,     IDC_MATERIAL_NUMBER,
      IDC_PUNCH_NAME,       IDC_DIE_NAME,          IDC_DIE_HOLDER_NAME,
      IDC_SPACER_NAME,      IDC_PUNCH_REV,         IDC_DIE_REV,
      IDC_DIE_HOLDER_REV};
  const int editable[] = {IDC_PROGRAM_NAME,      IDC_PART_REFERENCE,
                          IDC_HARDNESS,          IDC_PUNCH_TARGET_NAME,
                          IDC_DIE_TARGET_NAME,   IDC_DIE_HOLDER_TARGET_NAME,
                          IDC_SPACER_TARGET_NAME};
  for (int id : read_only) {
    const Control* c = Find(id);
    ASSERT_NE(nullptr, c) << id;
    EXPECT_EQ(0, lstrcmpiA("Edit", c->class_name.c_str())) << id;
    EXPECT_TRUE(c->style & ES_READONLY) << id;
  }
  for (int id : editable) {
    const Control* c = Find(id);
    ASSERT_NE(nullptr, c) << id;
    EXPECT_EQ(0, lstrcmpiA("Edit", c->class_name.c_str())) << id;
    EXPECT_FALSE(c->style & ES_READONLY) << id;
    // Without it typing would stop at the field's visible width.
    EXPECT_TRUE(c->style & ES_AUTOHSCROLL) << id;
    EXPECT_TRUE(c->style & WS_VISIBLE) << id;
  }
}

TEST_F(ProgramDialogTemplateTest, MaterialNumberFieldsAndLabelAreHidden) {
  for (int id :
       {IDC_MATERIAL_NUMBER_LABEL, IDC_MATERIAL_NAME, IDC_MATERIAL_NUMBER}) {
    const Control* c = Find(id);
    ASSERT_NE(nullptr, c) << id;
    EXPECT_FALSE(c->style & WS_VISIBLE) << id;
  }
  EXPECT_EQ("Material Number", Find(IDC_MATERIAL_NUMBER_LABEL)->text);
}

TEST_F(ProgramDialogTemplateTest, MaterialListIsADropDownListWithoutSorting) {
  const Control* c = Find(IDC_MATERIAL_LIST);
  ASSERT_NE(nullptr, c);
  EXPECT_EQ(0, lstrcmpiA("ComboBox", c->class_name.c_str()));
  EXPECT_EQ(CBS_DROPDOWNLIST, c->style & 3);
  EXPECT_FALSE(c->style & CBS_SORT);  // entries keep the material table order
  EXPECT_TRUE(c->style & WS_TABSTOP);
}

TEST_F(ProgramDialogTemplateTest,
       ButtonsCreateIsTheDefaultAndBrowseSitsRightOfTheFileName) {
  const Control* create = Find(IDOK);
  const Control* cancel = Find(IDCANCEL);
  const Control* browse = Find(IDC_BROWSE_FOLDER);
  const Control* file = Find(IDC_FILE_NAME);
  ASSERT_TRUE(create && cancel && browse && file);
  EXPECT_EQ("Create...", create->text);
  EXPECT_EQ(BS_DEFPUSHBUTTON, create->style & 0xF);
  EXPECT_EQ("Cancel", cancel->text);
  EXPECT_EQ(BS_PUSHBUTTON, cancel->style & 0xF);
  EXPECT_EQ("...", browse->text);
  EXPECT_TRUE(browse->style & WS_VISIBLE);
  EXPECT_GE(browse->rect.left, file->rect.right);
  EXPECT_EQ(file->rect.top, browse->rect.top);
}

TEST_F(ProgramDialogTemplateTest, EveryLabelAndGroupBoxIsThere) {
  std::multiset<std::string> labels = Texts("Static");
  for (const char* text :
       {"Setup Name", "Control Type", "Machine Model", "File Name",
        "Program Name", "Part Reference", "Total Steps", "Date of Creation",
        "Thickness", "Material Name", "            Hardness", "Punch Name",
        "Die Name", "Die Holder Name", "Spacer Name", "Material Number"})
    EXPECT_EQ(1u, labels.count(text)) << text;
  EXPECT_EQ(3u, labels.count("Rev"));
  EXPECT_EQ(4u, labels.count("-->"));
  int arrows = 0;
  for (const Control& c : layout_.controls)
    if (c.id == IDC_ARROW_LABEL && c.text == "-->") ++arrows;
  EXPECT_EQ(4, arrows);

  std::multiset<std::string> groups;
  for (const Control& c : layout_.controls)
    if ((c.style & 0xF) == BS_GROUPBOX &&
        lstrcmpiA(c.class_name.c_str(), "Button") == 0)
      groups.insert(c.text);
  EXPECT_EQ((std::multiset<std::string>{
                "Basic", "Material",
                "Convert Vantorel tools names to Operateur tools names"}),
            groups);
}

TEST_F(ProgramDialogTemplateTest, EveryControlLiesInsideTheDialog) {
  for (const Control& c : layout_.controls) {
    EXPECT_GE(c.rect.left, 0) << c.id << " " << c.text;
    EXPECT_GE(c.rect.top, 0) << c.id << " " << c.text;
    EXPECT_LE(c.rect.right, layout_.client.right) << c.id << " " << c.text;
    // A drop-down list's window includes its closed list.
    if (c.id != IDC_MATERIAL_LIST) {
      EXPECT_LE(c.rect.bottom, layout_.client.bottom) << c.id << " " << c.text;
    }
  }
}

}  // namespace
}  // namespace bendpost
