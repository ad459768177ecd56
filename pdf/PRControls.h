#pragma once
// Report components: a tree of plain objects laid out in pixels (one pixel is one PDF point,
// y measured downwards from the top of the page) and printed page by page into a document.
//
// Components do not own each other. The program owns every component (as members or smart
// pointers); a parent only lists its children. Destroying a component takes it out of its
// parent and detaches its children.
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TPdfCanvas;
class TPdfDoc;
class TPRPage;

struct TPRRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    friend bool operator==(const TPRRect&, const TPRRect&) = default;
};

enum TPRAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// What items draw through: the canvas of the report's open document.
struct TPRCanvas {
    TPdfCanvas* PdfCanvas = nullptr;
};

class TPRControl {
public:
    virtual ~TPRControl();
    TPRControl(const TPRControl&) = delete;
    TPRControl& operator=(const TPRControl&) = delete;

    // The class name, as used in messages ("TPRPage").
    virtual const char* ClassName() const = 0;
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

    TPRControl* Parent() const { return parent_; }
    // Places the component on `parent` (nullptr takes it off), after the parent's last child.
    // A parent of the wrong class, the component itself or one of its descendants is refused
    // with EPdfError and nothing changes.
    void SetParent(TPRControl* parent);
    const std::vector<TPRControl*>& Children() const { return children_; }

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    // Position and size relative to the parent.
    TPRRect BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }

    TPRAlign Align() const { return align_; }
    void SetAlign(TPRAlign align);

    // The nearest enclosing page, or none.
    TPRPage* GetPage() const;

protected:
    TPRControl(std::string name, int width, int height);
    // Raises when `parent` (not null) may not hold this component.
    virtual void CheckParent(const TPRControl& parent) const;
    // The area aligned children share, in this component's coordinates.
    virtual TPRRect ChildArea() const { return {0, 0, width_, height_}; }
    // Lays out the aligned children again.
    void Realign();

private:
    void ApplyBounds(int left, int top, int width, int height);
    void DetachChild(TPRControl* child);

    std::string name_;
    TPRControl* parent_ = nullptr;
    std::vector<TPRControl*> children_;
    int left_ = 0, top_ = 0, width_, height_;
    TPRAlign align_ = alNone;
};

// A group of items and panels.
class TPRPanel : public TPRControl {
public:
    explicit TPRPanel(std::string name = {});
    const char* ClassName() const override { return "TPRPanel"; }
    // Prints every child panel and printable item; `rect` is this panel in page pixels.
    virtual void PrintTo(TPRCanvas& canvas, const TPRRect& rect);

protected:
    void PrintChildren(TPRCanvas& canvas, const TPRRect& rect);
};

// A panel with print events; it may sit only on nothing, a panel or a page.
class TPRLayoutPanel final : public TPRPanel {
public:
    using PrintEvent = std::function<void(TPRLayoutPanel& sender, TPRCanvas& canvas, TPRRect& rect)>;

    explicit TPRLayoutPanel(std::string name = {}) : TPRPanel(std::move(name)) { }
    const char* ClassName() const override { return "TPRLayoutPanel"; }
    // BeforePrint may change the rectangle its children print in (a copy of the panel's).
    PrintEvent BeforePrint;
    PrintEvent AfterPrint;
    void PrintTo(TPRCanvas& canvas, const TPRRect& rect) override;

protected:
    void CheckParent(const TPRControl& parent) const override;
};

// A component that leaves marks on a page; it may sit only on nothing or a panel.
class TPRItem : public TPRControl {
public:
    explicit TPRItem(std::string name = {}) : TPRControl(std::move(name), 100, 30) { }
    const char* ClassName() const override { return "TPRItem"; }
    bool Printable() const { return printable_; }
    void SetPrintable(bool value) { printable_ = value; }
    // Draws the item; `rect` is the item in page pixels. Nothing in this class.
    virtual void PrintTo(TPRCanvas& canvas, const TPRRect& rect);

protected:
    void CheckParent(const TPRControl& parent) const override;
    // The page the item is on; raises when it is on none.
    TPRPage& RequirePage() const;

private:
    bool printable_ = true;
};

// One page layout, printed once per PDF page. Its size becomes the page's MediaBox.
class TPRPage final : public TPRControl {
public:
    using PrintPageEvent = std::function<void(TPRPage& sender, TPRCanvas& canvas)>;

    explicit TPRPage(std::string name = {});
    ~TPRPage() override;
    const char* ClassName() const override { return "TPRPage"; }

    int MarginTop() const { return marginTop_; }
    int MarginLeft() const { return marginLeft_; }
    int MarginRight() const { return marginRight_; }
    int MarginBottom() const { return marginBottom_; }
    // A margin is accepted only when it is not negative and less than half the page width.
    void SetMarginTop(int value) { SetMargin(marginTop_, value); }
    void SetMarginLeft(int value) { SetMargin(marginLeft_, value); }
    void SetMarginRight(int value) { SetMargin(marginRight_, value); }
    void SetMarginBottom(int value) { SetMargin(marginBottom_, value); }

    bool Visible = true;
    // Raised at the start of each printed page, before the panels print.
    PrintPageEvent OnPrintPage;

    // Sets the current PDF page's size, raises OnPrintPage, then prints the child panels.
    void PrintTo(TPRCanvas& canvas);

protected:
    TPRRect ChildArea() const override;

private:
    void SetMargin(int& margin, int value);

    int marginTop_ = 32, marginLeft_ = 32, marginRight_ = 32, marginBottom_ = 32;
    std::unique_ptr<TPdfDoc> privateDoc_; // a virtual canvas for design-time measuring
};
