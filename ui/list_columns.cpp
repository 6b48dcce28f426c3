#include "list_columns.h"

ColumnWidths listColumnWidths(int clientWidth) {
    return {clientWidth / 2, clientWidth / 4, clientWidth / 4};
}
