#include "win32/accessibility.hpp"

#include "app/fault_report.hpp"
#include "win32/text.hpp"

#include <oleacc.h>

#include <new>
#include <string>

namespace zelvo::win32 {

namespace {

// Declared by oleacc.h as data of oleacc.dll, which a static link cannot
// reach; the values are fixed by Windows.
constexpr GUID kAccPropServicesClass{0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID kAccPropServicesInterface{0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kNameProperty{0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};
// UI Automation's LiveSetting, which annotations carry for Win32 controls.
constexpr GUID kLiveSettingProperty{0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kPolite = 1;
// What keeps a control out of what UI Automation clients read.
constexpr GUID kIsControlElementProperty{0x95f35085, 0xabcc, 0x4afd, {0xa5, 0xf4, 0xdb, 0xb4, 0x6c, 0x23, 0x0f, 0xdb}};
constexpr GUID kIsContentElementProperty{0x4bda64a8, 0xf5d8, 0x480b, {0x81, 0x55, 0xef, 0x2e, 0x89, 0xad, 0xb6, 0x72}};

// The annotation service of this thread's ScreenReaderSupport objects; null
// where COM or the service is missing, or once it has refused an annotation.
thread_local IAccPropServices* annotations = nullptr;
thread_local int supporters = 0;

void annotate(HWND control, const GUID& property, const VARIANT& value)
{
    if (annotations && annotations->SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, property,
                                                value) == E_NOTIMPL) {
        annotations->Release();
        annotations = nullptr;
    }
}

void annotateName(HWND control, const std::wstring& name)
{
    if (annotations && annotations->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                                   kNameProperty, name.c_str()) == E_NOTIMPL) {
        annotations->Release();
        annotations = nullptr;
    }
}

void changed(HWND control, DWORD event) { NotifyWinEvent(event, control, OBJID_CLIENT, CHILDID_SELF); }

// The name the design gives for what the control shows now.
std::wstring designedName(HWND control, const ControlDesign& design)
{
    return wide(accessibleName(design, utf8(windowText(control))));
}

// The standard object of a control, with the name its design gives, or
// none and not shown to screen readers for a label they pass over. The
// name is looked up at each call, so that a screen reader holding the
// object hears the caption of the moment.
class NamedAccessible final : public IAccessible {
public:
    NamedAccessible(HWND control, const ControlDesign& design, IAccessible* standard)
        : control(control)
        , design(design)
        , standard(standard)
    {
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        // IOleWindow, IEnumVARIANT and the like as the standard object has them.
        return standard->QueryInterface(id, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&references);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        if (name && self(child) && design.spokenElsewhere) {
            *name = nullptr;
            return S_FALSE;
        }
        if (name && self(child) && IsWindow(control)) {
            const std::wstring designed = designedName(control, design);
            *name = SysAllocStringLen(designed.data(), static_cast<UINT>(designed.size()));
            return *name ? S_OK : E_OUTOFMEMORY;
        }
        return standard->get_accName(child, name);
    }

    // Everything else is the standard object's.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return standard->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override
    {
        return standard->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override
    {
        return standard->GetIDsOfNames(id, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argument) override
    {
        return standard->Invoke(member, id, locale, flags, parameters, result, exception, argument);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override { return standard->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        return standard->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return standard->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override
    {
        return standard->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        return standard->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        const HRESULT result = standard->get_accState(child, state);
        if (result == S_OK && self(child) && design.spokenElsewhere && state->vt == VT_I4)
            state->lVal |= STATE_SYSTEM_INVISIBLE;
        return result;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return standard->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override
    {
        return standard->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return standard->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return standard->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override
    {
        return standard->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return standard->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override { return standard->accSelect(flags, child); }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override
    {
        return standard->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override
    {
        return standard->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override
    {
        return standard->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override { return standard->accDoDefaultAction(child); }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override { return standard->put_accName(child, name); }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return standard->put_accValue(child, value);
    }

private:
    ~NamedAccessible() { standard->Release(); }

    static bool self(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

    HWND control;
    const ControlDesign& design; // the designs live as long as the program
    IAccessible* standard;
    LONG references = 1;
};

} // namespace

void forgetAnnotations(HWND control)
{
    const MSAAPROPID properties[] = {kNameProperty, kLiveSettingProperty, kIsControlElementProperty,
                                     kIsContentElementProperty};
    if (annotations)
        annotations->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, properties, 4);
}

ScreenReaderSupport::ScreenReaderSupport()
{
    // A thread that has COM in another model keeps it; annotations work in either.
    const HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    comStarted = SUCCEEDED(started);
    if (supporters++ == 0 && (comStarted || started == RPC_E_CHANGED_MODE))
        CoCreateInstance(kAccPropServicesClass, nullptr, CLSCTX_INPROC_SERVER, kAccPropServicesInterface,
                         reinterpret_cast<void**>(&annotations));
}

ScreenReaderSupport::~ScreenReaderSupport()
{
    if (--supporters == 0 && annotations) {
        annotations->Release();
        annotations = nullptr;
    }
    if (comStarted)
        CoUninitialize();
}

// Nothing may unwind through Windows' frames: a fault is reported and the
// control goes on without what screen readers would have got.
LRESULT namedObject(HWND control, const ControlDesign& design, WPARAM wParam, LPARAM lParam)
{
    // The object ID comes in the low 32 bits, signed.
    if ((design.accessibleName.empty() && !design.spokenElsewhere)
        || static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT)
        return 0;
    try {
        IAccessible* standard = nullptr;
        if (FAILED(CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&standard))))
            return 0;
        auto* named = new (std::nothrow) NamedAccessible(control, design, standard);
        if (!named) {
            standard->Release();
            return 0;
        }
        const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, named);
        named->Release();
        return result > 0 ? result : 0;
    } catch (...) {
        reportCurrentFault();
        return 0;
    }
}

// Windows tells of a new name by itself, Wine does not: told twice is harmless.
void captionSet(HWND label, const ControlDesign& design, const wchar_t* caption)
{
    if (design.accessibleName.empty())
        return;
    try {
        annotateName(label, wide(accessibleName(design, utf8(caption))));
        changed(label, EVENT_OBJECT_NAMECHANGE);
    } catch (...) {
        reportCurrentFault();
    }
}

void nameFromDesign(HWND control, const ControlDesign& design)
{
    if ((design.accessibleName.empty() && !design.spokenElsewhere) || !annotations)
        return;
    if (design.spokenElsewhere) {
        VARIANT no{};
        no.vt = VT_BOOL;
        no.boolVal = VARIANT_FALSE;
        annotate(control, kIsControlElementProperty, no);
        annotate(control, kIsContentElementProperty, no);
    } else {
        annotateName(control, designedName(control, design));
    }
}

void addAnnouncer(HWND window)
{
    HWND announcer = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 0, 0, 0, window,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(kAnnouncerId)),
                                     GetModuleHandleW(nullptr), nullptr);
    if (!announcer)
        return; // the window works without; only its presses go unspoken
    VARIANT polite{};
    polite.vt = VT_I4;
    polite.lVal = kPolite;
    annotate(announcer, kLiveSettingProperty, polite);
}

void announce(HWND window, std::string_view text)
{
    HWND announcer = GetDlgItem(window, kAnnouncerId);
    if (!announcer)
        return;
    const std::wstring words = wide(text);
    SetWindowTextW(announcer, words.c_str());
    annotateName(announcer, words);
    // Raised even when the words are the same as last time: it is another press.
    changed(announcer, EVENT_OBJECT_NAMECHANGE);
    changed(announcer, EVENT_OBJECT_LIVEREGIONCHANGED);
}

} // namespace zelvo::win32
