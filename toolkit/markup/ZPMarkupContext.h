// The creator of element trees: parses markup text, binds the input elements it creates to
// itself, keeps the host's event handlers and named delegates, the default font and text colour
// and a font cache, and owns the keyboard navigation and the tooltip context.
#pragma once

#include "common/ZPToolTipContext.h"
#include "markup/ZPMarkupCollection.h"

#include <map>
#include <string>

class CZPImageManager;
class CZPMarkupDelegate;
class CZPMarkupEventHandlerMap;
class CZPMarkupInputElement;
class CZPMarkupKeyboardNavigation;
class CZPMarkupRoutedEvent;
struct MarkupRoutedEventArgs;

class CZPMarkupContext;

// A cached GDI font; it leaves its context's cache when its last holder releases it.
class CZPMarkupFont : public CZPMarkupObject
{
public:
    CZPMarkupFont(CZPMarkupContext* pContext, const LOGFONTW& lf);
    ~CZPMarkupFont() override;

    HFONT GetFont() const { return m_hFont; }
    const LOGFONTW& GetLogFont() const { return m_lf; }

private:
    friend class CZPMarkupContext;

    HFONT m_hFont;  // owned
    LOGFONTW m_lf;
    CZPMarkupFont* m_pNextFont;    // borrowed
    CZPMarkupContext* m_pContext;  // borrowed; NULL once the context is gone
};

class CZPMarkupContext
{
public:
    // Tooltips of the host window; the hit test asks the owning context.
    class CTooltipContext : public CZPToolTipContext
    {
    public:
        explicit CTooltipContext(CZPMarkupContext* pOwner) : m_pOwner(pOwner) {}
        // The markup kind makes a markup tip; the others are the base's.
        CWnd* CreateToolTip() override;
        INT_PTR ToolHitTest(CWnd* pOwner, CPoint point, TOOLINFOW* pToolInfo) override;

        CZPMarkupContext* m_pOwner;  // borrowed
    };

    // The transient list of an element and its input-element ancestors: items keep their parents.
    class CInputElementCollection : public CZPMarkupCollection
    {
    public:
        CInputElementCollection();
    };

    CZPMarkupContext();
    virtual ~CZPMarkupContext();

    // The root of a new tree (the caller owns its reference), or NULL when the text is not markup.
    CZPMarkupObject* Parse(LPCWSTR lpszText);

    // Repaints, without erasing, the whole host client area after a root's size changed.
    virtual void InvalidateAll(CZPMarkupObject* pRoot);
    // Repaints, without erasing, the element's client bounding rectangle.
    virtual void InvalidateElement(CZPMarkupObject* pElement);
    // The element's area in host client coordinates; empty for NULL or a non-element.
    static RECT GetClientBoundingRect(CZPMarkupObject* pElement);

    // Mouse routing for the tree under pRoot; FALSE when the host processes the message itself.
    virtual BOOL HandleMessage(CZPMarkupObject* pRoot, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    void CaptureMouse(CZPMarkupInputElement* pElement);
    void ReleaseMouseCapture();
    void SetHotElement(CZPMarkupInputElement* pElement, int x, int y);
    // Appends the element and its input-element ancestors, innermost first, one reference each.
    static void CollectInputElements(CZPMarkupObject* pElement, CZPMarkupCollection* pCollection);
    // TRUE when pChild is pParent or one of its logical descendants.
    static BOOL IsParentOf(CZPMarkupObject* pParent, CZPMarkupObject* pChild);

    // A font matching height, weight, italic, quality and face; the caller owns one reference.
    CZPMarkupFont* GetFont(const LOGFONTW& lf);
    void SetDefaultFont(HFONT hFont);
    const LOGFONTW& GetDefaultFont() const { return m_lfDefault; }
    COLORREF GetDefaultTextColor() const { return m_clrDefaultText; }
    void SetDefaultTextColor(COLORREF clr) { m_clrDefaultText = clr; }
    HWND GetHostWindow() const { return m_hWndHost; }
    void SetHostWindow(HWND hWnd) { m_hWndHost = hWnd; }

    CZPMarkupInputElement* GetHotElement() const { return m_pHotElement; }
    CZPMarkupInputElement* GetCapturedElement() const { return m_pCapturedElement; }
    CZPMarkupObject* GetActiveRoot() const { return m_pActiveRoot; }
    CTooltipContext* GetToolTipContext() const { return m_pToolTipContext; }
    // The tool id of the innermost hot element with a text tooltip, or -1.
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pToolInfo);

    // Counted: the creator's count plus one per input element created through the context.
    long AddRef() { return ::InterlockedIncrement(&m_nRefCount); }
    long Release();
    long GetRefCount() const { return m_nRefCount; }

    // A new object of the type; an input element is bound to this context. NULL when the
    // type cannot be created.
    CZPMarkupObject* CreateMarkupObject(CZPMarkupType* pType);
    // Called by an input element's final release: detaches it and gives back its count.
    virtual void OnElementReleased(CZPMarkupInputElement* pElement);

    // Takes over the caller's reference to the delegate.
    void AddEventHandler(CZPMarkupRoutedEvent* pEvent, CZPMarkupDelegate* pDelegate);
    void RaiseContextHandlers(CZPMarkupInputElement* pSender, MarkupRoutedEventArgs* pArgs);

    // Named delegates for event attributes in markup; SetDelegate takes over the reference.
    void SetDelegate(LPCWSTR lpszName, CZPMarkupDelegate* pDelegate);
    CZPMarkupDelegate* FindDelegate(LPCWSTR lpszName) const;

    CZPMarkupKeyboardNavigation* GetKeyboardNavigation() const { return m_pKeyboardNavigation; }

    // Numbered image sources are looked up here first, else in the process-wide manager.
    CZPImageManager* GetImageManager() const { return m_pImageManager; }
    // Holds one count on the manager (NULL: none).
    void SetImageManager(CZPImageManager* pManager);

protected:
    void HandleMouseMove(CZPMarkupObject* pRoot, int x, int y);
    BOOL HandleSetCursor();
    BOOL HandleMouseWheel(int nDelta);
    BOOL HandleMouseButton(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWndHost;
    COLORREF m_clrDefaultText;
    LOGFONTW m_lfDefault;
    CZPMarkupInputElement* m_pHotElement;       // borrowed
    CZPMarkupInputElement* m_pCapturedElement;  // borrowed
    CZPMarkupObject* m_pActiveRoot;             // borrowed

private:
    friend class CZPMarkupFont;

    // The cache list does not own its fonts.
    struct CFontList
    {
        CZPMarkupFont* pFirst;
        CZPMarkupFont* pLast;
    };

    CZPMarkupContext(const CZPMarkupContext&) = delete;
    CZPMarkupContext& operator=(const CZPMarkupContext&) = delete;

    CZPMarkupEventHandlerMap* m_pHandlers;                         // owned, made by the first handler
    std::map<std::wstring, CZPMarkupDelegate*>* m_pDelegateNames;  // owned, one reference per entry
    CZPMarkupKeyboardNavigation* m_pKeyboardNavigation;            // owned
    CZPImageManager* m_pImageManager = NULL;                       // one count
    CFontList* m_pFonts;                                           // owned, made by the first request
    CTooltipContext* m_pToolTipContext;                            // one count owned
    volatile long m_nRefCount;
};
