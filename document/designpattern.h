#pragma once
// The one pattern every design change of the project document follows (private to the
// labeldoc_design*.cpp files): nothing for an area above 2 or a locked template; one undo
// snapshot of the area; the change; the document modified; the views refreshed.
#include "document/labeldoc.h"
#include "framework/file.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/template.h"

#include <memory>
#include <vector>

// The record bytes of a collection: what a file would keep of it.
inline std::vector<BYTE> DesignRecordBytes(CGraphCollection& objects)
{
    CMemFile file;
    objects.Save(&file);
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

template <class Change> bool COstrelindSoftLabelDoc::ChangeArea(int area, Change change)
{
    CGraphCollection* objects = DesignArea(area);
    if (objects == nullptr || GetCurrentTemplate()->IsLocked())
        return false;
    GetCurrentTemplate()->PushUndo(area, true);
    change(*objects);
    MarkDesignChanged(kRefreshBoth);
    return true;
}

template <class Change> bool COstrelindSoftLabelDoc::ChangeAreaIfChanged(int area, Change change)
{
    CGraphCollection* objects = DesignArea(area);
    if (objects == nullptr || GetCurrentTemplate()->IsLocked())
        return false;
    std::unique_ptr<CGraphCollection> trial(objects->CloneCollection());
    change(*trial);
    if (DesignRecordBytes(*trial) == DesignRecordBytes(*objects))
        return false;
    return ChangeArea(area, change);
}
