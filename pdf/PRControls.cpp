#include "pdf/PRControls.h"

#include <algorithm>

#include "pdf/PdfCanvas.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfExceptions.h"

// ---- TPRControl

TPRControl::TPRControl(std::string name, int width, int height)
    : name_(std::move(name)), width_(width), height_(height)
{
}

TPRControl::~TPRControl()
{
    if (parent_)
        parent_->DetachChild(this);
    for (TPRControl* child : children_)
        child->parent_ = nullptr;
}

void TPRControl::CheckParent(const TPRControl&) const { }

void TPRControl::DetachChild(TPRControl* child)
{
    children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
}

void TPRControl::SetParent(TPRControl* parent)
{
    if (parent == parent_)
        return;
    if (parent)
        CheckParent(*parent);
    // A component inside itself would make every walk up or down the tree endless.
    for (const TPRControl* ancestor = parent; ancestor; ancestor = ancestor->parent_)
        if (ancestor == this)
            throw EPdfError("SetParent --a component cannot be placed on itself or its own children.");
    if (parent_) {
        parent_->DetachChild(this);
        parent_->Realign();
    }
    parent_ = parent;
    if (parent_) {
        parent_->children_.push_back(this);
        parent_->Realign();
    }
}

void TPRControl::ApplyBounds(int left, int top, int width, int height)
{
    const bool resized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (resized)
        Realign();
}

void TPRControl::SetBounds(int left, int top, int width, int height)
{
    ApplyBounds(left, top, width, height);
    if (parent_ && align_ != alNone)
        parent_->Realign();
}

void TPRControl::SetAlign(TPRAlign align)
{
    align_ = align;
    if (parent_)
        parent_->Realign();
}

void TPRControl::Realign()
{
    TPRRect area = ChildArea();
    for (TPRAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TPRControl* child : children_) {
            if (child->align_ != align)
                continue;
            const int areaWidth = area.Right - area.Left;
            const int areaHeight = area.Bottom - area.Top;
            switch (align) {
            case alTop:
                child->ApplyBounds(area.Left, area.Top, areaWidth, child->height_);
                area.Top += child->height_;
                break;
            case alBottom:
                area.Bottom -= child->height_;
                child->ApplyBounds(area.Left, area.Bottom, areaWidth, child->height_);
                break;
            case alLeft:
                child->ApplyBounds(area.Left, area.Top, child->width_, areaHeight);
                area.Left += child->width_;
                break;
            case alRight:
                area.Right -= child->width_;
                child->ApplyBounds(area.Right, area.Top, child->width_, areaHeight);
                break;
            case alClient: child->ApplyBounds(area.Left, area.Top, areaWidth, areaHeight); break;
            case alNone: break;
            }
        }
    }
}

TPRPage* TPRControl::GetPage() const
{
    for (TPRControl* control = parent_; control; control = control->parent_)
        if (auto* page = dynamic_cast<TPRPage*>(control))
            return page;
    return nullptr;
}

// ---- TPRPanel

TPRPanel::TPRPanel(std::string name) : TPRControl(std::move(name), 185, 100) { }

void TPRPanel::PrintTo(TPRCanvas& canvas, const TPRRect& rect) { PrintChildren(canvas, rect); }

void TPRPanel::PrintChildren(TPRCanvas& canvas, const TPRRect& rect)
{
    // Copy the list: an item's print may not change the tree, but be safe if it does.
    const std::vector<TPRControl*> children = Children();
    for (TPRControl* child : children) {
        TPRRect r = child->BoundsRect();
        r.Left += rect.Left;
        r.Right += rect.Left;
        r.Top += rect.Top;
        r.Bottom += rect.Top;
        if (auto* panel = dynamic_cast<TPRPanel*>(child))
            panel->PrintTo(canvas, r);
        else if (auto* item = dynamic_cast<TPRItem*>(child); item && item->Printable())
            item->PrintTo(canvas, r);
    }
}

// ---- TPRLayoutPanel

void TPRLayoutPanel::CheckParent(const TPRControl& parent) const
{
    if (!dynamic_cast<const TPRPanel*>(&parent) && !dynamic_cast<const TPRPage*>(&parent))
        throw EPdfError(std::string("TPRPage can not set on ") + parent.ClassName());
}

void TPRLayoutPanel::PrintTo(TPRCanvas& canvas, const TPRRect& rect)
{
    TPRRect copy = rect;
    if (BeforePrint)
        BeforePrint(*this, canvas, copy);
    PrintChildren(canvas, copy);
    if (AfterPrint)
        AfterPrint(*this, canvas, copy);
}

// ---- TPRItem

void TPRItem::CheckParent(const TPRControl& parent) const
{
    if (!dynamic_cast<const TPRPanel*>(&parent))
        throw EPdfError("this component must set on TPRPanel");
}

void TPRItem::PrintTo(TPRCanvas&, const TPRRect&) { }

TPRPage& TPRItem::RequirePage() const
{
    TPRPage* page = GetPage();
    if (!page)
        throw EPdfInvalidOperation("PrintTo --the item is not on a page.");
    return *page;
}

// ---- TPRPage

TPRPage::TPRPage(std::string name)
    : TPRControl(std::move(name), 596, 842), privateDoc_(std::make_unique<TPdfDoc>())
{
    privateDoc_->OpenVirtualCanvas();
}

TPRPage::~TPRPage() = default;

TPRRect TPRPage::ChildArea() const
{
    return {marginLeft_, marginTop_, Width() - marginRight_, Height() - marginBottom_};
}

void TPRPage::SetMargin(int& margin, int value)
{
    if (value < 0 || value == margin || value * 2 >= Width())
        return;
    margin = value;
    Realign();
}

void TPRPage::PrintTo(TPRCanvas& canvas)
{
    canvas.PdfCanvas->SetPageHeight(Height());
    canvas.PdfCanvas->SetPageWidth(Width());
    if (OnPrintPage)
        OnPrintPage(*this, canvas);
    const std::vector<TPRControl*> children = Children();
    for (TPRControl* child : children)
        if (auto* panel = dynamic_cast<TPRPanel*>(child))
            panel->PrintTo(canvas, child->BoundsRect());
}
