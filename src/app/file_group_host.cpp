#include "app/file_group_host.h"

#include "app/child_frame.h"
#include "app/main_frame.h"
#include "app/veskhtml_app.h"
#include "editor/veskhtml_doc.h"

vesk::groups::GroupHost MakeGroupHost(CVeskHtmlApp& app) {
    using vesk::groups::GroupDocument;
    vesk::groups::GroupHost host;
    host.documents = [&app] {
        std::vector<GroupDocument> documents;
        if (!app.MainFrame())
            return documents;
        for (CChildFrame* child : app.MainFrame()->Children()) {
            CVeskHtmlDoc* document = child->Document();
            if (!document || document->PathName().isEmpty())
                continue;
            GroupDocument entry;
            entry.path = document->PathName();
            entry.openedByGroup = document->openedByGroup;
            entry.close = [child, document] {
                if (!document->SaveModified())
                    return false;
                child->CloseWithoutPrompt();
                return true;
            };
            documents.push_back(std::move(entry));
        }
        return documents;
    };
    host.openFile = [&app](const QString& path) {
        CVeskHtmlDoc* document = app.OpenDocumentFile(path);
        if (!document)
            return false;
        document->openedByGroup = true;
        return true;
    };
    host.anyDocumentOpen = [&app] { return !app.Documents().empty(); };
    host.parent = [&app]() -> QWidget* { return app.MainFrame(); };
    return host;
}
