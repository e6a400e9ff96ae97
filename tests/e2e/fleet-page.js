// Run inside the fleet page by browser.py: the summary, the rows, sorting, filtering, and whether
// anything from a record ran.
(function() {
var seen = {};
var table = document.getElementById("machines");
function rows(visibleOnly) {
    return Array.prototype.filter
        .call(table.tBodies[0].rows,
              function(row) { return !visibleOnly || row.getClientRects().length > 0; })
        .map(function(row) { return row.cells[0].textContent; })
        .join(" ");
}
function choose(state) {
    var filter = document.getElementById("filter");
    filter.value = state;
    filter.dispatchEvent(new Event("change"));
    return rows(true);
}
var heads = table.tHead.rows[0].cells;
seen.summary = document.getElementById("summary").textContent;
seen.rows = rows(false);
heads[0].click();
seen.byComputer = rows(false);
heads[0].click();
seen.byComputerDown = rows(false);
heads[4].click();
seen.byDifferences = rows(false);
seen.outOfStep = choose("out of step");
seen.refused = choose("refused");
seen.everyMachine = choose("");
seen.markupAsText =
    Array.prototype.some.call(
        table.querySelectorAll("td"),
        function(cell) { return cell.textContent.indexOf("<img src=x onerror=") >= 0; }) &&
    Array.prototype.some.call(table.querySelectorAll("td"),
                              function(cell) { return cell.textContent.indexOf("<script>") >= 0; });
seen.elementsFromRecords = table.querySelectorAll("img, script").length;
seen.ran = document.documentElement.getAttribute("data-ran") || "nothing";
report(seen);
})();
