#pragma once
#include <string>
#include <vector>

#include "rows/TableOrder.h"
#include "rows/TableRows.h"
#include "rows/TableSchema.h"

// Rows of a table of a few thousand at most, shown by their schema: each
// row's texts are made once, when the rows are given, and a sort reorders
// the rows and their texts together, so that what the list shows, what is
// copied and what is saved come in one order.
template <class Row>
class SchemaRows final : public TableRows {
public:
    // `utf8` makes the schema's texts UTF-8 (see RecordsOf).
    SchemaRows(TableSchema<Row> schema, ToUtf8 utf8) : m_schema(schema), m_utf8(utf8) {}

    void SetRows(std::vector<Row> rows)
    {
        m_records = RecordsOf<Row>(m_schema, rows, m_utf8);
        m_rows = std::move(rows);
    }
    TableSchema<Row> Schema() const { return m_schema; }
    // The rows, in the order the list shows them.
    const std::vector<Row>& Rows() const { return m_rows; }

    std::size_t Count() const override { return m_rows.size(); }
    std::size_t ColumnCount() const override { return m_schema.size(); }
    const ColumnLayout& Layout(std::size_t column) const override { return m_schema[column].layout; }
    std::string Text(std::size_t row, std::size_t column) const override { return m_records[row][column]; }
    std::vector<int> Sort(std::size_t column, bool ascending) override
    {
        const std::vector<std::size_t> order = SortedTableOrder(m_records, column, Layout(column).sort, ascending);
        std::vector<Row> rows;
        std::vector<std::vector<std::string>> records;
        rows.reserve(order.size());
        records.reserve(order.size());
        for (const std::size_t from : order) {
            rows.push_back(std::move(m_rows[from]));
            records.push_back(std::move(m_records[from]));
        }
        m_rows = std::move(rows);
        m_records = std::move(records);
        return {order.begin(), order.end()};
    }

private:
    TableSchema<Row> m_schema;
    ToUtf8 m_utf8;
    std::vector<Row> m_rows;
    std::vector<std::vector<std::string>> m_records;
};
