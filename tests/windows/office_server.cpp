// The Windows side of the tests' office: a COM local server registered for the program
// identifier "com.sun.star.ServiceManager" (the class LibreOffice registers), whose objects
// answer IDispatch as the office's automation bridge does, and pass every call to the real
// LibreOffice through the relay (office_relay.py) on the loopback.
//
// The bridge's rules, from its public source (extensions/source/ole/unoobjw.cxx):
// - GetIDsOfNames finds a member in any letter case (the Invocation's exact name) and notes
//   whether it is a property, a method or both; an unknown name is DISP_E_UNKNOWNNAME.
// - Invoke intersects the caller's flags with the member's kind: a method is called, else a
//   property read, else written; nothing in common is DISP_E_MEMBERNOTFOUND.
// - An office exception is DISP_E_EXCEPTION with wCode 1001, source "[automation bridge] "
//   and the office's text; a wrong argument is DISP_E_TYPEMISMATCH, an unknown property
//   DISP_E_MEMBERNOTFOUND; a property read that fails otherwise is S_OK with an empty value.
// - Values as unoconversionutilities.hxx converts them: text BSTR, long VT_I4, short VT_I2,
//   boolean VT_BOOL, double VT_R8, objects VT_DISPATCH (null ones a null VT_DISPATCH),
//   sequences SAFEARRAYs of VARIANTs.
// When the office ends, the server's process ends, as a local server that died: the client
// gets the system's RPC failures.
//
//   office_server.exe /RegServer PORT [Refuse|Delay=N|Missing]
//                                       registers the class (the relay's port); a test of the
//                                       program's advice may have the class refused, slow, or
//                                       registered for a program that is not there
//   office_server.exe /UnregServer      removes it
//   office_server.exe -Embedding        what the system starts it with

#include <winsock2.h>
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

const CLSID office_class = {0x82154420, 0x0fbf, 0x11d4, {0x83, 0x13, 0x00, 0x50, 0x04, 0x52, 0x6a, 0xb4}};
const wchar_t progid[] = L"com.sun.star.ServiceManager";
const wchar_t clsid_text[] = L"{82154420-0FBF-11d4-8313-005004526AB4}";
const wchar_t settings_key[] = L"Software\\ZEB tests\\Office relay";
constexpr WORD office_exception = 1001; // the bridge's wCode for an office exception

// ------------------------------------------------------------------ text
std::string utf8(const wchar_t* text, int length = -1)
{
    if (!text)
        return "";
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), n, nullptr, nullptr);
    if (length < 0 && !out.empty())
        out.pop_back(); // the NUL
    return out;
}

BSTR bstr(const std::string& text)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    BSTR out = SysAllocStringLen(nullptr, static_cast<UINT>(n));
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out, n);
    return out;
}

// ------------------------------------------------------------------ the relay's values
struct Item {
    enum Kind { Empty, Null, Bool, I2, I4, R8, Text, Object, Array } kind = Empty;
    long long number = 0;
    double real = 0;
    std::string text;
    std::vector<Item> items;
};

void put(const Item& v, std::string& out)
{
    char buffer[64];
    switch (v.kind) {
    case Item::Empty: out += "e;"; break;
    case Item::Null: out += "n;"; break;
    case Item::Bool: out += v.number ? "b1;" : "b0;"; break;
    case Item::I2: std::snprintf(buffer, sizeof buffer, "s%lld;", v.number); out += buffer; break;
    case Item::I4: std::snprintf(buffer, sizeof buffer, "i%lld;", v.number); out += buffer; break;
    case Item::R8: std::snprintf(buffer, sizeof buffer, "d%.17g;", v.real); out += buffer; break;
    case Item::Object: std::snprintf(buffer, sizeof buffer, "o%lld;", v.number); out += buffer; break;
    case Item::Text:
        out += 't';
        out += std::to_string(v.text.size());
        out += ':';
        out += v.text;
        break;
    case Item::Array:
        out += 'a';
        out += std::to_string(v.items.size());
        out += ':';
        for (const Item& i : v.items)
            put(i, out);
        break;
    }
}

Item take(const std::string& in, std::size_t& at)
{
    Item v;
    const char kind = in.at(at++);
    if (kind == 't' || kind == 'a') {
        const std::size_t colon = in.find(':', at);
        const std::size_t n = std::stoul(in.substr(at, colon - at));
        at = colon + 1;
        if (kind == 't') {
            v.kind = Item::Text;
            v.text = in.substr(at, n);
            at += n;
        } else {
            v.kind = Item::Array;
            for (std::size_t i = 0; i < n; ++i)
                v.items.push_back(take(in, at));
        }
        return v;
    }
    const std::size_t semi = in.find(';', at);
    const std::string text = in.substr(at, semi - at);
    at = semi + 1;
    switch (kind) {
    case 'e': v.kind = Item::Empty; break;
    case 'n': v.kind = Item::Null; break;
    case 'b': v.kind = Item::Bool; v.number = text == "1"; break;
    case 's': v.kind = Item::I2; v.number = std::stoll(text); break;
    case 'i': v.kind = Item::I4; v.number = std::stoll(text); break;
    case 'd': v.kind = Item::R8; v.real = std::stod(text); break;
    case 'o': v.kind = Item::Object; v.number = std::stoll(text); break;
    default: break;
    }
    return v;
}

Item text_item(const std::string& s)
{
    Item v;
    v.kind = Item::Text;
    v.text = s;
    return v;
}

Item object_item(long long handle)
{
    Item v;
    v.kind = Item::Object;
    v.number = handle;
    return v;
}

// ------------------------------------------------------------------ the connection
class Relay {
public:
    bool connect(int port)
    {
        WSADATA data;
        if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
            return false;
        socket_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(static_cast<u_short>(port));
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return socket_ != INVALID_SOCKET && ::connect(socket_, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0;
    }

    /// Sends a request; its answer. The office gone (the connection closed) ends the process:
    /// a local server whose office died is gone.
    std::vector<Item> ask(const std::vector<Item>& request)
    {
        std::string body;
        for (const Item& i : request)
            put(i, body);
        const std::string message = std::to_string(body.size()) + "\n" + body;
        if (!send_all(message))
            ExitProcess(3);
        std::string header;
        char c = 0;
        while (recv(socket_, &c, 1, 0) == 1 && c != '\n')
            header += c;
        if (c != '\n')
            ExitProcess(3);
        std::string reply(std::stoul(header), '\0');
        std::size_t got = 0;
        while (got < reply.size()) {
            const int n = recv(socket_, reply.data() + got, static_cast<int>(reply.size() - got), 0);
            if (n <= 0)
                ExitProcess(3);
            got += static_cast<std::size_t>(n);
        }
        std::vector<Item> answer;
        std::size_t at = 0;
        while (at < reply.size())
            answer.push_back(take(reply, at));
        return answer;
    }

private:
    bool send_all(const std::string& data)
    {
        std::size_t sent = 0;
        while (sent < data.size()) {
            const int n = send(socket_, data.data() + sent, static_cast<int>(data.size() - sent), 0);
            if (n <= 0)
                return false;
            sent += static_cast<std::size_t>(n);
        }
        return true;
    }
    SOCKET socket_ = INVALID_SOCKET;
};

Relay relay;
LONG live_objects = 0;
LONG server_locks = 0;
DWORD main_thread = 0;

void object_gone()
{
    if (InterlockedDecrement(&live_objects) == 0 && server_locks == 0)
        PostThreadMessageW(main_thread, WM_QUIT, 0, 0);
}

// ------------------------------------------------------------------ objects
class OfficeObject;
VARIANT to_variant(const Item& v);

Item from_variant(const VARIANT& in);

/// One office object, by its handle at the relay.
class OfficeObject : public IDispatch {
public:
    explicit OfficeObject(long long handle) : handle_(handle) { InterlockedIncrement(&live_objects); }
    virtual ~OfficeObject() = default;

    long long handle() const { return handle_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG n = InterlockedDecrement(&refs_);
        if (n == 0) {
            relay.ask({text_item("release"), object_item(handle_)});
            delete this;
            object_gone();
        }
        return static_cast<ULONG>(n);
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        if (!ids)
            return E_POINTER;
        if (count == 0)
            return DISP_E_UNKNOWNNAME;
        const std::string name = utf8(names[0]);
        auto known = ids_.find(name);
        if (known == ids_.end()) {
            const std::vector<Item> a = relay.ask({text_item("member"), object_item(handle_), text_item(name)});
            if (a.size() < 2 || a[0].text != "ok" || a[1].items.size() < 3)
                return DISP_E_UNKNOWNNAME;
            WORD flags = 0;
            if (a[1].items[2].number)
                flags |= DISPATCH_PROPERTYGET | DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF;
            if (a[1].items[1].number)
                flags |= DISPATCH_METHOD;
            if (flags == 0)
                return DISP_E_UNKNOWNNAME;
            members_.push_back({a[1].items[0].text, flags});
            const DISPID id = static_cast<DISPID>(members_.size());
            ids_[a[1].items[0].text] = id;
            known = ids_.emplace(name, id).first;
        }
        ids[0] = known->second;
        for (UINT i = 1; i < count; ++i)
            ids[i] = DISPID_UNKNOWN;
        return count > 1 ? DISP_E_UNKNOWNNAME : S_OK;
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* info, UINT*) override
    {
        if (id < 1 || static_cast<std::size_t>(id) > members_.size())
            return DISP_E_MEMBERNOTFOUND;
        const Member& m = members_[static_cast<std::size_t>(id) - 1];
        const WORD both = flags & m.flags;
        if (both == 0)
            return DISP_E_MEMBERNOTFOUND;
        Item args;
        args.kind = Item::Array;
        for (UINT i = params ? params->cArgs : 0; i > 0; --i)
            args.items.push_back(from_variant(params->rgvarg[i - 1])); // the last comes first
        std::vector<Item> a;
        bool reading = false;
        if (both & DISPATCH_METHOD) {
            if (params && params->cNamedArgs > 0)
                return DISP_E_NONAMEDARGS;
            a = relay.ask({text_item("call"), object_item(handle_), text_item(m.name), args});
        } else if (both & DISPATCH_PROPERTYGET) {
            reading = true;
            a = relay.ask({text_item("get"), object_item(handle_), text_item(m.name)});
        } else {
            if (args.items.size() != 1)
                return DISP_E_BADPARAMCOUNT;
            a = relay.ask({text_item("set"), object_item(handle_), text_item(m.name), args.items[0]});
        }
        if (a.size() >= 2 && a[0].text == "ok") {
            if (result)
                *result = to_variant(a[1]);
            return S_OK;
        }
        const std::string kind = a.size() > 1 ? a[1].text : "exception";
        const std::string text = a.size() > 2 ? a[2].text : "";
        if (info) {
            std::memset(info, 0, sizeof *info);
            info->wCode = office_exception;
            info->bstrSource = SysAllocString(L"[automation bridge] ");
            info->bstrDescription = bstr(text);
        }
        if (kind == "membernotfound")
            return DISP_E_MEMBERNOTFOUND;
        if (reading) {
            if (result)
                VariantInit(result); // the bridge swallows a failed read: an empty value
            return S_OK;
        }
        if (kind == "typemismatch")
            return DISP_E_TYPEMISMATCH;
        return DISP_E_EXCEPTION;
    }

private:
    struct Member {
        std::string name;
        WORD flags;
    };
    long long handle_;
    LONG refs_ = 1;
    std::vector<Member> members_;
    std::map<std::string, DISPID> ids_;
};

VARIANT to_variant(const Item& v)
{
    VARIANT out;
    VariantInit(&out);
    switch (v.kind) {
    case Item::Empty: break;
    case Item::Null: out.vt = VT_DISPATCH; out.pdispVal = nullptr; break;
    case Item::Bool: out.vt = VT_BOOL; out.boolVal = v.number ? VARIANT_TRUE : VARIANT_FALSE; break;
    case Item::I2: out.vt = VT_I2; out.iVal = static_cast<SHORT>(v.number); break;
    case Item::I4: out.vt = VT_I4; out.lVal = static_cast<LONG>(v.number); break;
    case Item::R8: out.vt = VT_R8; out.dblVal = v.real; break;
    case Item::Text: out.vt = VT_BSTR; out.bstrVal = bstr(v.text); break;
    case Item::Object: out.vt = VT_DISPATCH; out.pdispVal = new OfficeObject(v.number); break;
    case Item::Array: {
        SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(v.items.size()));
        for (LONG i = 0; i < static_cast<LONG>(v.items.size()); ++i) {
            VARIANT item = to_variant(v.items[static_cast<std::size_t>(i)]);
            SafeArrayPutElement(array, &i, &item);
            VariantClear(&item);
        }
        out.vt = VT_ARRAY | VT_VARIANT;
        out.parray = array;
        break;
    }
    }
    return out;
}

Item from_variant(const VARIANT& in)
{
    const VARIANT* v = &in;
    if (v->vt == (VT_VARIANT | VT_BYREF))
        v = v->pvarVal;
    Item out;
    switch (v->vt) {
    case VT_EMPTY: break;
    case VT_NULL: out.kind = Item::Null; break;
    case VT_BOOL: out.kind = Item::Bool; out.number = v->boolVal != VARIANT_FALSE; break;
    case VT_I2: out.kind = Item::I2; out.number = v->iVal; break;
    case VT_UI1: out.kind = Item::I2; out.number = v->bVal; break;
    case VT_I4: out.kind = Item::I4; out.number = v->lVal; break;
    case VT_INT: out.kind = Item::I4; out.number = v->intVal; break;
    case VT_R4: out.kind = Item::R8; out.real = v->fltVal; break;
    case VT_R8: out.kind = Item::R8; out.real = v->dblVal; break;
    case VT_BSTR: out.kind = Item::Text; out.text = utf8(v->bstrVal, static_cast<int>(SysStringLen(v->bstrVal))); break;
    case VT_DISPATCH:
    case VT_UNKNOWN: {
        IDispatch* d = nullptr;
        if (v->punkVal)
            v->punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&d));
        // An object of this server's (the only ones the office knows) travels as its handle.
        OfficeObject* ours = d ? dynamic_cast<OfficeObject*>(d) : nullptr;
        if (ours) {
            out = object_item(ours->handle());
        } else {
            out.kind = Item::Null;
        }
        if (d)
            d->Release();
        break;
    }
    default:
        if (v->vt & VT_ARRAY) {
            out.kind = Item::Array;
            SAFEARRAY* array = (v->vt & VT_BYREF) ? *v->pparray : v->parray;
            LONG low = 0, high = -1;
            SafeArrayGetLBound(array, 1, &low);
            SafeArrayGetUBound(array, 1, &high);
            for (LONG i = low; i <= high; ++i) {
                VARIANT item;
                VariantInit(&item);
                if ((v->vt & VT_TYPEMASK) == VT_VARIANT)
                    SafeArrayGetElement(array, &i, &item);
                out.items.push_back(from_variant(item));
                VariantClear(&item);
            }
        }
        break;
    }
    return out;
}

int setting(const wchar_t* name);

// ------------------------------------------------------------------ the class
class Factory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
            *out = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override
    {
        if (outer)
            return CLASS_E_NOAGGREGATION;
        // As LibreOffice's bridge answers with its automation switched off in its settings;
        // with nothing made, the server ends (revoking its class, as a server that is done).
        if (setting(L"Refuse")) {
            if (live_objects == 0 && server_locks == 0)
                PostThreadMessageW(main_thread, WM_QUIT, 0, 0);
            return E_NOINTERFACE;
        }
        const std::vector<Item> a = relay.ask({text_item("root")});
        if (a.size() < 2 || a[0].text != "ok" || a[1].kind != Item::Object)
            return E_FAIL;
        auto* manager = new OfficeObject(a[1].number);
        const HRESULT hr = manager->QueryInterface(riid, out);
        manager->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override
    {
        if (lock)
            InterlockedIncrement(&server_locks);
        else if (InterlockedDecrement(&server_locks) == 0 && live_objects == 0)
            PostThreadMessageW(main_thread, WM_QUIT, 0, 0);
        return S_OK;
    }
};

// ------------------------------------------------------------------ registration
bool set_value(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value)
{
    HKEY k = nullptr;
    if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG r = RegSetValueExW(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                  static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(k);
    return r == ERROR_SUCCESS;
}

int register_server(int port, const std::wstring& option)
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    // A registration left behind by a LibreOffice that is gone names a program that is not there.
    const std::wstring program = option == L"Missing" ? L"C:\\Program Files\\LibreOffice\\program\\soffice.exe" : self;
    // Where the system looks classes up (Wine's class root is the machine's, the prefix's own).
    const std::wstring clsid = std::wstring(L"CLSID\\") + clsid_text;
    const bool ok = set_value(HKEY_CLASSES_ROOT, std::wstring(progid) + L"\\CLSID", nullptr, clsid_text) &&
                    set_value(HKEY_CLASSES_ROOT, progid, nullptr, L"LibreOffice Service Manager (Ver 1.0)") &&
                    set_value(HKEY_CLASSES_ROOT, clsid, nullptr, L"LibreOffice Service Manager (Ver 1.0)") &&
                    set_value(HKEY_CLASSES_ROOT, clsid + L"\\LocalServer32", nullptr, program) &&
                    set_value(HKEY_CLASSES_ROOT, clsid + L"\\ProgID", nullptr, progid) &&
                    set_value(HKEY_CURRENT_USER, settings_key, L"Port", std::to_wstring(port)) &&
                    set_value(HKEY_CURRENT_USER, settings_key, L"Refuse", option == L"Refuse" ? L"1" : L"0") &&
                    set_value(HKEY_CURRENT_USER, settings_key, L"Delay",
                              option.rfind(L"Delay=", 0) == 0 ? option.substr(6) : std::wstring(L"0"));
    return ok ? 0 : 1;
}

int unregister_server()
{
    RegDeleteTreeW(HKEY_CLASSES_ROOT, progid);
    RegDeleteTreeW(HKEY_CLASSES_ROOT, (std::wstring(L"CLSID\\") + clsid_text).c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, settings_key);
    return 0;
}

/// A number among the server's settings (the relay's port, and for tests of the program's
/// advice: "Refuse", "Delay"); 0 when it is not set.
int setting(const wchar_t* name)
{
    wchar_t value[32] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, settings_key, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return 0;
    return _wtoi(value);
}

int serve()
{
    main_thread = GetCurrentThreadId();
    // An office slow to start: its class is there only after the delay.
    Sleep(static_cast<DWORD>(setting(L"Delay")) * 1000);
    if (!relay.connect(setting(L"Port")))
        return 2; // no office behind: the class cannot be made, as when the office does not start
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 2;
    static Factory factory;
    DWORD cookie = 0;
    if (FAILED(CoRegisterClassObject(office_class, &factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookie))) {
        CoUninitialize();
        return 2;
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    CoRevokeClassObject(cookie);
    CoUninitialize();
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const std::wstring command = argc > 1 ? argv[1] : L"";
    const int port = argc > 2 ? _wtoi(argv[2]) : 0;
    const std::wstring option = argc > 3 ? argv[3] : L"";
    LocalFree(argv);
    if (_wcsicmp(command.c_str(), L"/RegServer") == 0)
        return register_server(port, option);
    if (_wcsicmp(command.c_str(), L"/UnregServer") == 0)
        return unregister_server();
    return serve();
}
