// Work the page splits into tasks of their own, so that no task of its own is long, kept in order with
// the work that comes meanwhile: that work first finishes all of it (flush).
class OrderedWork
{
    constructor() { this.pending = null; }

    // Work for a task of its own, which may leave the next piece of work for a task after it.
    later(work)
    {
        this.pending = work;
        setTimeout(() => this.next());
    }

    next()
    {
        const pending = this.pending;
        this.pending = null;
        if (pending)
            pending();
    }

    flush()
    {
        while (this.pending)
            this.next();
    }
}
