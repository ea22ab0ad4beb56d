#pragma once
// The design canvas of a started application's project (a 50 x 30 mm label), under a plain parent
// window, for the clipboard and property commands. Commands reach the canvas as WM_COMMAND;
// update handlers are asked with a recording CCmdUI; ribbon values are set on the main frame's
// real ribbon elements.
#include "document/labeldoc.h"
#include "framework/doctempl.h"
#include "framework/ribboncontrols.h"
#include "framework/ribbonelements.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/graphobject.h"
#include "labelmodel/graphshapes.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/template.h"
#include "testsupport/testcmdui.h"
#include "ui/commandids.h"
#include "ui/designview.h"
#include "ui/mainframe.h"
#include "ui/tests/uitestsupport.h"

#include <gtest/gtest.h>

namespace designprops {

class DesignCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteTestProfile();
        app = new TestLabelApp(dir);
        ASSERT_TRUE(app->InitInstance());
        ASSERT_FALSE(app->GetDocTemplate(0)->GetDocuments().empty());
        doc = dynamic_cast<COstrelindSoftLabelDoc*>(app->GetDocTemplate(0)->GetDocuments().front());
        ASSERT_NE(nullptr, doc);
        ASSERT_TRUE(SizeLabel());
        ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "canvas host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  700, 500, nullptr, nullptr));
        view = NewView();
        ASSERT_NE(nullptr, view);
        DrainMessages();
        doc->SetModifiedFlag(FALSE);
    }

    void TearDown() override
    {
        if (host.m_hWnd != nullptr)
            host.DestroyWindow();
        DrainMessages();
        if (doc != nullptr)
            for (int i = 0; i < doc->GetTemplateCount(); ++i) {
                doc->SetCurrentTemplate(i);
                if (CLabel* stock = doc->GetCurrentTemplate()->GetLabelStock())
                    stock->SetModified(false);
            }
        if (doc != nullptr)
            doc->SetModifiedFlag(FALSE);
        delete app;
        DeleteTestProfile();
    }

    bool SizeLabel()
    {
        if (!doc->NewLabelDefinition())
            return false;
        doc->SetAreaWidth(50000, 0);
        doc->SetAreaHeight(30000, 0);
        return doc->GetCurrentTemplate()->GetLabelStock() != nullptr;
    }

    Ostrelind_SoftLabelDesignView* NewView()
    {
        auto* canvas = new Ostrelind_SoftLabelDesignView;
        doc->AddView(canvas);
        if (!canvas->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 400), &host, 1))
            return nullptr;
        canvas->OnInitialUpdate();
        canvas->SetMeasurementSystem(0);
        return canvas;
    }

    CGraphCollection* Area(int area = 0) const { return doc->GetCurrentTemplate()->GetArea(area); }
    CGraphCollection* Snapshot(int k = 0) const { return doc->GetCurrentTemplate()->GetUndoSnapshot(0, k); }
    int UndoDepth() const
    {
        int k = 0;
        while (doc->GetCurrentTemplate()->GetUndoSnapshot(0, k) != nullptr)
            ++k;
        return k;
    }

    CGraphRect* AddRect(int x, int y, int w, int h, bool selected = true)
    {
        auto* rect = new CGraphRect;
        rect->SetX(x);
        rect->SetY(y);
        rect->SetWidth(w);
        rect->SetHeight(h);
        rect->SetSelected(selected);
        Area()->Append(rect);
        return rect;
    }

    void Command(UINT id) { view->SendMessage(WM_COMMAND, id, 0); }
    // The answer of the canvas's update handler for id.
    void Update(UINT id, CCmdUI* ui)
    {
        ui->m_nID = id;
        view->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, ui, nullptr);
    }
    CMainFrame* Frame() const { return dynamic_cast<CMainFrame*>(app->m_pMainWnd); }
    CMFCRibbonBaseElement* Element(UINT id) const { return Frame() != nullptr ? Frame()->FindRibbonElement(id) : nullptr; }
    CMFCRibbonEdit* Edit(UINT id) const { return dynamic_cast<CMFCRibbonEdit*>(Element(id)); }
    CMFCRibbonComboBox* Combo(UINT id) const { return dynamic_cast<CMFCRibbonComboBox*>(Element(id)); }

    TempDir dir;
    TestLabelApp* app = nullptr;
    COstrelindSoftLabelDoc* doc = nullptr;
    CWnd host;
    Ostrelind_SoftLabelDesignView* view = nullptr;
};

} // namespace designprops
