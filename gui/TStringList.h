#pragma once
// An ordered list of UTF-8 strings with a change notification: the items
// of a combo box, the lines of a memo.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TStringList {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    // Raises EComponentError for an index outside the list.
    const std::string& operator[](int index) const;
    const std::vector<std::string>& Items() const { return FItems; }
    int Add(const std::string& text);
    void Insert(int index, const std::string& text);
    void Delete(int index);
    void Put(int index, const std::string& text);
    void Clear();
    void Assign(const std::vector<std::string>& items);
    // Case-insensitive for ASCII letters; -1 when absent.
    int IndexOf(std::string_view text) const;
    // Keeps the list sorted (ASCII case-insensitive) from now on; Add
    // then inserts in order.
    bool Sorted() const { return FSorted; }
    void SetSorted(bool sorted);

    // The lines joined, each followed by "\r\n".
    std::string Text() const;
    // Splits at "\r\n", "\n" or "\r"; a final line break adds no empty line.
    void SetText(std::string_view text);
    // Writes Text() as UTF-8; raises EFOpenError naming the file.
    void SaveToFile(const std::string& fileName) const;

    void BeginUpdate() { ++FUpdating; }
    void EndUpdate();
    std::function<void()> OnChange;

private:
    void Changed();
    void Sort();

    std::vector<std::string> FItems;
    bool FSorted = false;
    int FUpdating = 0;
    bool FChangedWhileUpdating = false;
};
