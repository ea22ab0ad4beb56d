#pragma once
// CGraphCollection: the ordered list of label objects of one area (also an undo snapshot and the
// copy buffer). List order is drawing order: the head is drawn first, the tail on top. The
// collection owns its members and deletes them; a member belongs to one collection at a time.
// CGraphGroup: a collection that stands on the label as one object; its box is the bounding box
// of its members.
#include "labelmodel/graphobject.h"
#include "labelmodel/typecodes.h"

#include <vector>

class CGraphCollection : public CGraph2Dim {
public:
    static const int kTypeCode = kCodeCollection;
    enum : int { kDefaultReservedA = 10, kDefaultReservedB = 5 };
    // Smallest selection edge when nothing is selected, and the start of the duplicate's search.
    static const int kNoSelectionEdge = 0x7FFFFFF;
    // Clones pasted into a collection that already held objects are moved by this much.
    static const int kPasteOffset = 5000;

    CGraphCollection() = default;
    // Copies the box, line width and selection, and clones every member; the reserved fields are
    // those of a new collection.
    CGraphCollection(const CGraphCollection& src);
    CGraphCollection& operator=(const CGraphCollection&) = delete;
    ~CGraphCollection() override;

    // ---- members ----
    int GetCount() const { return static_cast<int>(m_objects.size()); }
    bool IsEmpty() const { return m_objects.empty(); }
    CGraphObject* GetAt(int index) const;                  // nullptr outside 0..count-1
    int IndexOf(const CGraphObject* object) const;         // -1 when not a member
    // Takes ownership; nullptr is ignored.
    void Append(CGraphObject* object);
    // Gives the member back to the caller without deleting it; false when it is not a member.
    bool RemoveObject(CGraphObject* object);
    // Appends every member to dest (in order) and leaves this collection empty.
    void MoveAllTo(CGraphCollection* dest);
    void DeleteAll();
    void DeleteSelected();
    int GetReservedA() const { return m_reservedA; }
    int GetReservedB() const { return m_reservedB; }

    // ---- records and copies ----
    // Reads a collection record and appends its objects. An unknown type code or a damaged member
    // stops the reading: the objects read so far stay, and the answer is false so that the caller
    // does not read what follows from the wrong place.
    bool LoadObjects(CFile* file);
    bool Load(CFile* file) override { return LoadObjects(file); }
    // The collection record (count, reserved fields, then code and record of every member).
    bool Save(CFile* file) override;
    CGraphCollection* CloneCollection() const;
    CGraphObject* Clone() override { return CloneCollection(); }
    int GetTypeCode() override { return kTypeCode; }
    void CopySelectedTo(CGraphCollection* dest) const;
    // Appends selected clones of src; moved by 5 mm right and down when this held objects before.
    void PasteFrom(const CGraphCollection* src);
    // Moves the selected members themselves to dest (the start of a group).
    void AppendSelectedTo(CGraphCollection* dest);

    // ---- drawing ----
    // Draws every member in list order and stops at the first that answers false.
    bool Draw(CDC* pDC, int zoom, int originX, int originY, bool designFrame, int row, int flags,
              int fitResolutionX, int fitResolutionY, CDataTableBase* table,
              CDataTableMap* columnMap, bool design) override;

    // ---- selection and hit tests (topmost first) ----
    bool HasSelection() const;
    int GetSelectedCount() const;
    void SelectAll();
    void DeselectAll();
    CGraphObject* HitTestObject(CDC* pDC, int zoom, int px, int py);
    CGraphObject* HitTestSelected(CDC* pDC, int zoom, int px, int py);
    CGraphObject* FindHandleObject(CDC* pDC, int zoom, int px, int py);
    int HitHandle(CDC* pDC, int zoom, int px, int py) override;
    bool SelectInRect(CDC* pDC, int zoom, const RECT* rc);

    // ---- dragging the selection ----
    void BeginMoveSelected(CDC* pDC, int zoom, int px, int py);
    void TrackMoveSelected(CDC* pDC, int zoom, int px, int py);
    // Ends the move of every selected member, then shifts them together so that none lies left of
    // or above the area.
    void EndMoveSelected(CDC* pDC, int zoom, int px, int py);
    void EndTrackingSelected(CDC* pDC);
    void BeginResizeSelected(CDC* pDC, int zoom, int px, int py);
    void TrackResizeSelected(CDC* pDC, int px, int py, UINT keyFlags);
    void EndResizeSelected(CDC* pDC);

    // ---- geometry of all members ----
    int GetAllLeft();
    int GetAllTop();
    int GetAllRight();
    int GetAllBottom();
    int GetRight() override { return GetAllRight(); }
    int GetBottom() override { return GetAllBottom(); }
    int GetExtentX() override { return 0; }
    int GetCentreAlong(int) override { return -1; }
    // Moves the whole contents so that their bounding box is centred on v along the axis.
    bool SetCentreAlong(int axis, int v) override;
    int GetSelectionLeft();
    int GetSelectionTop();
    int GetSelectionRight();
    int GetSelectionBottom();

    // ---- arranging the selection (graphcollection_edit.cpp) ----
    void BringSelectedToFront();
    void SendSelectedToBack();
    void MoveSelectedForward();
    void MoveSelectedBackward();
    void AlignSelectedLeft(int v);
    void AlignSelectedTop(int v);
    void AlignSelectedRight(int v);
    void AlignSelectedBottom(int v);
    void DistributeSelectedHorizontally();
    void DistributeSelectedVertically();
    bool CentreSelectedAlong(int v, int axis);
    int GetSelectedCentreAlong(int axis);
    void RotateSelected(int dir);
    bool FitSelectedToPicture();
    bool IsGroupSelected() const;
    void UngroupSelected();
    void DuplicateSelectedBelow();
    void DuplicateSelectedRight();
    void DuplicateSelectedAbove();
    void DuplicateSelectedLeft();

    // ---- queries over all members ----
    bool IsColumnUsed(int column);
    bool UsesTableColumn(int column) override { return IsColumnUsed(column); }
    bool HasColumnNames();
    bool IsCounter() override;
    void AdvanceCounter(int n) override;
    void RescaleBand(int left, int a, int right, int b, int stretch, int c) override;

    // ---- property forwarders over the selection (graphcollection_props.cpp) ----
    int GetSelectedX();
    int GetSelectedY();
    int GetSelectedWidth();
    int GetSelectedHeight();
    void SetSelectedX(int v);
    void SetSelectedY(int v);
    void SetSelectedWidth(int v);
    void SetSelectedHeight(int v);
    int GetSelectedLineWidth();
    void SetSelectedLineWidth(int um);
    int GetSelectedCornerRadius();
    void SetSelectedCornerRadius(int um);
    // Stores 0 left, 1 centre, 2 right (the member's alignment minus 1).
    bool GetSelectedAlignment(int* out);
    void SetSelectedAlignment(int alignment);
    bool GetSelectedFontName(char* out);                   // 100 characters
    void SetSelectedFontName(const char* name);
    int GetSelectedFontSize();                             // points, -1 when no font
    void SetSelectedFontSize(int points);
    bool IsSelectionBold();
    bool IsSelectionItalic();
    bool IsSelectionUnderline();
    void SetSelectionBold(bool on);
    void SetSelectionItalic(bool on);
    void SetSelectionUnderline(bool on);
    COLORREF GetSelectedTextColour();
    void SetSelectedTextColour(COLORREF c);
    COLORREF GetSelectedLineColour();
    void SetSelectedLineColour(COLORREF c);
    COLORREF GetSelectedFillColour();
    void SetSelectedFillColour(COLORREF c);
    int GetSelectedSourceKind();
    void SetSelectedSourceKind(int kind);
    bool HasSelectedColumnName();
    void SetSelectedColumnName(const char* name);
    bool IsImageSelected();
    bool GetSelectedSymbologyName(char* out);              // 100 characters
    bool SetSelectedSymbology(const char* name);
    bool GetSelectedModuleWidthText(char* out);            // 100 characters
    int GetSelectedModuleWidth();
    void SetSelectedModuleWidth(int um);
    void SetSelectedMagnificationPercent(int percent);
    bool GetSelectedBarHeightText(char* out);              // 100 characters
    int GetSelectedBarHeight();
    void SetSelectedBarHeight(int um);
    void SetSelectedHeightPercent(int percent);
    bool GetSelectedRatioText(char* out);                  // 100 characters
    void SetSelectedRatioText(const char* text);
    bool GetSelectedSpaceCorrectionText(char* out, int size);
    void SetSelectedSpaceCorrectionText(const char* text);
    bool GetSelectedVersionText(char* out, int size);
    void SetSelectedVersionText(const char* text);
    bool GetSelectedErrorCorrectionLevelText(char* out, int size);
    void SetSelectedErrorCorrectionLevelText(const char* text);
    bool GetSelectedEncodingModeName(char* out, int size);
    void SetSelectedEncodingModeByName(const char* name);
    bool GetSelectedMarginText(char* out, int size);
    void SetSelectedMarginText(const char* text);
    bool HasSelectedCheckDigit();
    bool GetSelectedCheckDigit();
    void SetSelectedCheckDigit(bool on);
    bool HasSelectedHumanReadable();
    bool GetSelectedHumanReadable();
    void SetSelectedHumanReadable(bool on);
    bool CanSelectedShowCheckDigitInText();
    bool GetSelectedCheckDigitInText();
    void SetSelectedCheckDigitInText(bool on);
    int GetSelectedModuleWidthUnit();
    int GetSelectedBarHeightUnit();
    bool GetSelectedEquilateral();
    bool HasSelectedEquilateral();
    void SetSelectedEquilateral(bool on);
    bool GetSelectedShrinkToFit();
    bool HasSelectedShrinkToFit();
    void SetSelectedShrinkToFit(bool on);
    bool GetSelectedCentred();
    bool HasSelectedCentring();
    void SetSelectedCentred(bool on);

    // Slots of the object interface that forward to the selected members, so that a selected
    // group passes them on to its own selected members.
    bool IsBold() override { return IsSelectionBold(); }
    bool IsItalic() override { return IsSelectionItalic(); }
    bool IsUnderline() override { return IsSelectionUnderline(); }
    void SetBold(bool on) override { SetSelectionBold(on); }
    void SetItalic(bool on) override { SetSelectionItalic(on); }
    void SetUnderline(bool on) override { SetSelectionUnderline(on); }
    bool IsTransparent() override;
    bool HasTransparency() override;
    void SetTransparent(bool on) override;
    bool HasTextSource() override;
    bool HasImageSource() override;
    bool IsFileSource() override;
    bool SetImagePath(const char* path) override;
    bool CopyPictureToClipboard() override;
    bool GetCounterPrefix(char* out, int size) override;
    void SetCounterPrefix(const char* text) override;
    bool GetCounterStartText(char* out, int size) override;
    void SetCounterStartText(const char* text) override;
    bool GetCounterSuffix(char* out, int size) override;
    void SetCounterSuffix(const char* text) override;
    bool IsCounterZeroPadded() override;
    bool HasCounterOptions() override;
    void SetCounterZeroPadded(bool on) override;
    bool GetCounterDigitsText(char* out, int size) override;
    void SetCounterDigitsText(const char* text) override;
    bool GetSeparatorName(char* out, int size) override;
    void SetSeparatorName(const char* name) override;
    bool IsSeparatorAlways() override;
    bool HasSeparator() override;
    void SetSeparatorAlways(bool on) override;
    bool GetDatePartName(char* out, int size) override;
    void SetDatePartByName(const char* name) override;
    bool HasDatePart() override;
    bool HasDateOffset() override;
    bool GetDateOffsetText(char* out, int size) override;
    void SetDateOffsetText(const char* text) override;
    bool QueryTextLogFont(LOGFONTA* out) override;
    void SetTextLogFont(const LOGFONTA* font) override;
    int GetCharSet() override;
    bool HasCharSet() override;
    void SetCharSet(int charSet) override;

protected:
    // The members in order; also used by the group.
    std::vector<CGraphObject*> m_objects;
    int m_reservedA = kDefaultReservedA;
    int m_reservedB = kDefaultReservedB;

private:
    // The first selected member (from the head) that satisfies pred, or nullptr.
    template <class Pred> CGraphObject* FirstSelected(Pred pred) const
    {
        for (CGraphObject* o : m_objects)
            if (o->IsSelected() && pred(o))
                return o;
        return nullptr;
    }
    template <class Pred> bool AnySelected(Pred pred) const { return FirstSelected(pred) != nullptr; }
    // Calls fn on every selected member in list order (over a copy of the list, so that fn may
    // not disturb the walk).
    template <class Fn> void ForSelected(Fn fn) const
    {
        const std::vector<CGraphObject*> members = m_objects;
        for (CGraphObject* o : members)
            if (o->IsSelected())
                fn(o);
    }
    // Index of the first selected member, -1 when none.
    int FirstSelectedIndex() const;
    void Distribute(bool vertical);
    // Clones the selection beside itself by (dx, dy) and names the clones' columns.
    void DuplicateSelectedBy(int dx, int dy);
};

class CGraphGroup : public CGraphCollection {
public:
    static const int kTypeCode = kCodeGroup;

    CGraphGroup() = default;
    CGraphGroup(const CGraphGroup& src) = default;

    // Reads x, y, the tag 175 and a collection record. A wrong tag or a damaged member refuses the
    // record and leaves the group as it was.
    bool Load(CFile* file) override;
    bool Save(CFile* file) override;
    CGraphObject* Clone() override { return new CGraphGroup(*this); }
    int GetTypeCode() override { return kTypeCode; }
    bool IsGroup() override { return true; }
    bool Draw(CDC* pDC, int zoom, int originX, int originY, bool designFrame, int row, int flags,
              int fitResolutionX, int fitResolutionY, CDataTableBase* table,
              CDataTableMap* columnMap, bool design) override;

    // The box is the bounding box of the members, kept current before every answer; moving the
    // box moves the members.
    int GetX() override;
    int GetY() override;
    int GetWidth() override;
    int GetHeight() override;
    int GetLeft() override { return GetX(); }
    int GetTop() override { return GetY(); }
    int GetRight() override { return GetX() + GetWidth(); }
    int GetBottom() override { return GetY() + GetHeight(); }
    int GetExtentX() override { return GetWidth(); }
    int GetExtentY() override { return GetHeight(); }
    int GetCentreAlong(int axis) override { return CGraphObject::GetCentreAlong(axis); }
    void SetX(int v) override { Offset(v - GetX(), 0); }
    void SetY(int v) override { Offset(0, v - GetY()); }
    void SetLeft(int v) override { SetX(v); }
    void SetTop(int v) override { SetY(v); }
    void SetRight(int v) override { Offset(v - GetRight(), 0); }
    void SetBottom(int v) override { Offset(0, v - GetBottom()); }
    // A group is not resized through its box.
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    int HitHandle(CDC* pDC, int zoom, int px, int py) override { return CGraph2Dim::HitHandle(pDC, zoom, px, py); }
    void PrepareForDevice(CDC* pDC, int zoom, int originX, int originY) override;

    void Offset(int dx, int dy) override;
    void EndMove(CDC* pDC, int px, int py) override;
    void Rotate90(int cx, int cy, int dir) override;

    // Appends a selected clone of every member to dest; the group itself stays as it is.
    void Ungroup(CGraphCollection* dest) const;

private:
    // Sets the box to the members' bounding box (kept as it is while the group is empty).
    void UpdateBox();
};
