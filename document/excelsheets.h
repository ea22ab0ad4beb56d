#pragma once
// The Excel readers between Excel 2.1 and Excel 97: the 3.0 and 4.0 worksheets, the 4.0 workbook
// (worksheets one after the other in one stream) and the 5.0/95 workbook (a directory of sheets
// with their stream offsets). Each overrides only the records whose layout changed.
#include "document/excelfile.h"

class CExcel30Sheet : public CExcelFile {
public:
    using CExcelFile::CExcelFile;

    const char* GetTypeName() const override;
    void OnFormula(CDataTableBase& table) override;
    void OnXF() override;
    void OnLabel(CDataTableBase& table) override;
    void OnNumber(CDataTableBase& table) override;

protected:
    bool OnOtherRecord(CDataTableBase& table) override;  // STRING after a text formula
    // The text of a STRING record; the Excel 97 layout differs.
    virtual CString ReadStringRecord();
};

class CExcel40Sheet : public CExcel30Sheet {
public:
    using CExcel30Sheet::CExcel30Sheet;

    const char* GetTypeName() const override;
    void OnFormat() override;
};

class CExcel40Book : public CExcel40Sheet {
public:
    using CExcel40Sheet::CExcel40Sheet;

    bool ReadGlobals() override;
    const char* GetTypeName() const override;
    bool SeekToSheet(int index) override;
    void OnBoundSheet() override;

private:
    // Past the SHEETHDR between two sheets, up to and including the next sheet's BOF.
    bool SkipToSheetBOF();
};

class CExcel50Book : public CExcel40Book {
public:
    using CExcel40Book::CExcel40Book;

    bool ReadGlobals() override;
    const char* GetTypeName() const override;
    bool SeekToSheet(int index) override;
    void OnBOF() override;
    void OnBoundSheet() override;
    void OnFormat() override;
    virtual void OnXF5();

protected:
    bool OnOtherRecord(CDataTableBase& table) override;
    // The globals up to their EOF (or the first sheet's BOF): FORMAT, XF, sheets, and whatever
    // OnGlobalRecord takes; false for an encrypted or damaged workbook.
    bool ReadGlobalRecords();
    virtual bool OnGlobalRecord();

private:
    bool m_sheetBofRead = false;           // the chosen sheet's own BOF (sheets start at it)
};
