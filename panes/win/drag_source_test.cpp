// The data object and drop source a pane drags with, checked through the
// platform's own readers of a file drop.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "base/win/handle.h"
#include "panes/file_drop_block.h"
#include "panes/win/drag_source.h"

namespace {

const std::string Hyou = "\x95\x5c";  // 表: trail byte is "\"
const std::string Nihongo = "\x93\xfa\x96\x7b\x8c\xea";  // 日本語

const std::vector<std::string> Paths = {"C:\\" + Hyou + "\\" + Nihongo + ".txt",
                                        "Z:\\tmp\\" + Hyou, "C:\\plain name.doc"};

FORMATETC format(CLIPFORMAT cf = CF_HDROP, DWORD tymed = TYMED_HGLOBAL,
                 DWORD aspect = DVASPECT_CONTENT) {
    return FORMATETC{cf, nullptr, aspect, -1, tymed};
}

std::vector<std::string> dropPaths(HDROP drop) {
    std::vector<std::string> out;
    const UINT n = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < n; ++i) {
        const UINT needed = DragQueryFileA(drop, i, nullptr, 0);
        std::string path(needed + 1, '\0');
        const UINT got = DragQueryFileA(drop, i, path.data(), needed + 1);
        EXPECT_EQ(got, needed);
        path.resize(got);
        out.push_back(path);
    }
    return out;
}

struct DragRun {
    std::vector<std::string> paths;
    HRESULT ole = E_FAIL;
    DWORD effect = 0xffff;
};

DWORD WINAPI dragOnOwnThread(void* parameter) {
    auto* run = static_cast<DragRun*>(parameter);
    run->ole = OleInitialize(nullptr);
    if (SUCCEEDED(run->ole)) {
        run->effect = dragFiles(run->paths);
        OleUninitialize();
    }
    return 0;
}

}  // namespace

TEST(DragSource, DataObjectGivesTheJapanesePathsAsFileDrop) {
    IDataObject* data = makeFileDataObject(Paths);
    ASSERT_NE(data, nullptr);
    FORMATETC f = format();
    EXPECT_EQ(data->QueryGetData(&f), S_OK);

    STGMEDIUM medium{};
    ASSERT_EQ(data->GetData(&f, &medium), S_OK);
    EXPECT_EQ(medium.tymed, static_cast<DWORD>(TYMED_HGLOBAL));
    EXPECT_EQ(medium.pUnkForRelease, nullptr);
    auto drop = static_cast<HDROP>(medium.hGlobal);
    EXPECT_EQ(dropPaths(drop), Paths);

    // A wide reader sees the same names through code page 932.
    wchar_t wide[MAX_PATH];
    ASSERT_GT(DragQueryFileW(drop, 0, wide, MAX_PATH), 0u);
    EXPECT_STREQ(wide, L"C:\\\u8868\\\u65e5\u672c\u8a9e.txt");
    POINT pt{-1, -1};
    EXPECT_TRUE(DragQueryPoint(drop, &pt));  // not in a non-client area
    EXPECT_EQ(pt.x, 0);
    EXPECT_EQ(pt.y, 0);

    // Our own reader agrees with the platform's.
    const void* bytes = GlobalLock(medium.hGlobal);
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(parseFileDropBlock(bytes, GlobalSize(medium.hGlobal)), Paths);
    GlobalUnlock(medium.hGlobal);

    ReleaseStgMedium(&medium);
    EXPECT_EQ(data->Release(), 0u);
}

TEST(DragSource, EachGetDataIsTheCallersOwnCopy) {
    IDataObject* data = makeFileDataObject(Paths);
    ASSERT_NE(data, nullptr);
    // Several medium types asked at once: global memory is the one given.
    FORMATETC f = format(CF_HDROP, TYMED_ISTREAM | TYMED_HGLOBAL);
    STGMEDIUM first{}, second{};
    ASSERT_EQ(data->GetData(&f, &first), S_OK);
    ASSERT_EQ(data->GetData(&f, &second), S_OK);
    EXPECT_EQ(first.tymed, static_cast<DWORD>(TYMED_HGLOBAL));
    EXPECT_NE(first.hGlobal, second.hGlobal);
    ReleaseStgMedium(&first);
    EXPECT_EQ(data->Release(), 0u);
    // The medium outlives the object it came from.
    EXPECT_EQ(dropPaths(static_cast<HDROP>(second.hGlobal)), Paths);
    ReleaseStgMedium(&second);
}

TEST(DragSource, GetDataHereFillsMemoryThatIsLargeEnough) {
    IDataObject* data = makeFileDataObject(Paths);
    ASSERT_NE(data, nullptr);
    FORMATETC f = format();
    const std::size_t size = buildFileDropBlock(Paths).size();

    STGMEDIUM small{};
    small.tymed = TYMED_HGLOBAL;
    small.hGlobal = GlobalAlloc(GHND, FileDropHeaderSize);
    ASSERT_NE(small.hGlobal, nullptr);
    EXPECT_EQ(data->GetDataHere(&f, &small), STG_E_MEDIUMFULL);
    ReleaseStgMedium(&small);

    STGMEDIUM enough{};
    enough.tymed = TYMED_HGLOBAL;
    enough.hGlobal = GlobalAlloc(GHND, size);
    ASSERT_NE(enough.hGlobal, nullptr);
    ASSERT_EQ(data->GetDataHere(&f, &enough), S_OK);
    EXPECT_EQ(dropPaths(static_cast<HDROP>(enough.hGlobal)), Paths);
    ReleaseStgMedium(&enough);

    STGMEDIUM stream{};
    stream.tymed = TYMED_ISTREAM;
    EXPECT_EQ(data->GetDataHere(&f, &stream), DV_E_TYMED);
    EXPECT_EQ(data->Release(), 0u);
}

TEST(DragSource, OtherFormatsAndServicesAreRefused) {
    IDataObject* data = makeFileDataObject(Paths);
    ASSERT_NE(data, nullptr);
    FORMATETC text = format(CF_TEXT);
    FORMATETC stream = format(CF_HDROP, TYMED_ISTREAM);
    FORMATETC icon = format(CF_HDROP, TYMED_HGLOBAL, DVASPECT_ICON);
    EXPECT_EQ(data->QueryGetData(&text), DV_E_FORMATETC);
    EXPECT_EQ(data->QueryGetData(&stream), DV_E_TYMED);
    EXPECT_EQ(data->QueryGetData(&icon), DV_E_DVASPECT);

    STGMEDIUM medium{};
    EXPECT_EQ(data->GetData(&text, &medium), DV_E_FORMATETC);
    EXPECT_EQ(data->GetData(&stream, &medium), DV_E_TYMED);
    EXPECT_EQ(medium.hGlobal, nullptr);

    FORMATETC f = format();
    FORMATETC canonical = f;
    canonical.ptd = reinterpret_cast<DVTARGETDEVICE*>(&canonical);
    EXPECT_EQ(data->GetCanonicalFormatEtc(&f, &canonical), DATA_S_SAMEFORMATETC);
    EXPECT_EQ(canonical.ptd, nullptr);
    EXPECT_EQ(data->SetData(&f, &medium, FALSE), E_NOTIMPL);
    DWORD connection = 0;
    EXPECT_EQ(data->DAdvise(&f, 0, nullptr, &connection), OLE_E_ADVISENOTSUPPORTED);
    EXPECT_EQ(data->DUnadvise(1), OLE_E_ADVISENOTSUPPORTED);
    IEnumSTATDATA* advises = nullptr;
    EXPECT_EQ(data->EnumDAdvise(&advises), OLE_E_ADVISENOTSUPPORTED);
    IEnumFORMATETC* setFormats = nullptr;
    EXPECT_EQ(data->EnumFormatEtc(DATADIR_SET, &setFormats), E_NOTIMPL);
    EXPECT_EQ(setFormats, nullptr);
    EXPECT_EQ(data->Release(), 0u);
}

TEST(DragSource, EnumeratesTheFileDropFormatOnly) {
    IDataObject* data = makeFileDataObject(Paths);
    ASSERT_NE(data, nullptr);
    IEnumFORMATETC* formats = nullptr;
    ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, &formats), S_OK);
    ASSERT_NE(formats, nullptr);
    FORMATETC got[2]{};
    ULONG fetched = 0;
    EXPECT_EQ(formats->Next(2, got, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 1u);
    EXPECT_EQ(got[0].cfFormat, CF_HDROP);
    EXPECT_EQ(got[0].tymed, static_cast<DWORD>(TYMED_HGLOBAL));
    EXPECT_EQ(got[0].dwAspect, static_cast<DWORD>(DVASPECT_CONTENT));
    EXPECT_EQ(got[0].lindex, -1);
    EXPECT_EQ(data->QueryGetData(&got[0]), S_OK);
    formats->Release();
    EXPECT_EQ(data->Release(), 0u);
}

TEST(DragSource, ReferencesAreCountedAcrossInterfaces) {
    IDataObject* data = makeFileDataObject(Paths);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->AddRef(), 2u);
    IUnknown* unknown = nullptr;
    ASSERT_EQ(data->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
    EXPECT_EQ(unknown, static_cast<IUnknown*>(data));
    void* other = reinterpret_cast<void*>(1);
    EXPECT_EQ(data->QueryInterface(IID_IDropSource, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(data->QueryInterface(IID_IDataObject, nullptr), E_POINTER);
    EXPECT_EQ(unknown->Release(), 2u);
    EXPECT_EQ(data->Release(), 1u);
    EXPECT_EQ(data->Release(), 0u);
}

TEST(DragSource, DropSourceCancelsOnEscapeAndDropsOnRelease) {
    IDropSource* source = makeFileDropSource();
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_LBUTTON), S_OK);
    EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_LBUTTON | MK_SHIFT | MK_CONTROL), S_OK);
    EXPECT_EQ(source->QueryContinueDrag(TRUE, MK_LBUTTON), DRAGDROP_S_CANCEL);
    EXPECT_EQ(source->QueryContinueDrag(TRUE, 0), DRAGDROP_S_CANCEL);
    EXPECT_EQ(source->QueryContinueDrag(FALSE, 0), DRAGDROP_S_DROP);
    EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_RBUTTON | MK_SHIFT), DRAGDROP_S_DROP);
    for (DWORD effect : {DROPEFFECT_NONE, DROPEFFECT_COPY, DROPEFFECT_MOVE, DROPEFFECT_LINK})
        EXPECT_EQ(source->GiveFeedback(effect), DRAGDROP_S_USEDEFAULTCURSORS);

    IDropSource* again = nullptr;
    ASSERT_EQ(source->QueryInterface(IID_IDropSource, reinterpret_cast<void**>(&again)), S_OK);
    EXPECT_EQ(again, source);
    void* data = reinterpret_cast<void*>(1);
    EXPECT_EQ(source->QueryInterface(IID_IDataObject, &data), E_NOINTERFACE);
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(again->Release(), 1u);
    EXPECT_EQ(source->Release(), 0u);
}

TEST(DragSource, NothingToOfferDragsNothing) {
    EXPECT_EQ(dragFiles({}), 0u);
    EXPECT_EQ(dragFiles({"", ""}), 0u);
}

TEST(DragSource, DragWithTheButtonUpEndsAtOnceDroppingNothing) {
    // No button is held here, so the drop source ends the drag at its first
    // check, over nothing that takes files. A source that ignored the button
    // would never return: the drag runs on a thread of its own and is awaited.
    auto* run = new DragRun{Paths};
    UniqueHandle thread{CreateThread(nullptr, 0, dragOnOwnThread, run, 0, nullptr)};
    ASSERT_TRUE(thread);
    if (WaitForSingleObject(thread.get(), 10000) != WAIT_OBJECT_0) {
        thread.release();  // still running with run: both left to the process exit
        FAIL() << "the drag did not end";
    }
    EXPECT_EQ(run->ole, S_OK);
    EXPECT_EQ(run->effect, 0u);
    delete run;
}
